// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which conversation with the instrument is running.
enum class LinkMode {
    Directory,           // no connection yet, then the opening conversation
    Idle,                // connection open, nothing running
    ReceiveCoordinates,  // download of a job's coordinates
    RefreshDirectory,    // reading the job directory again after a change
    SendCoordinates,     // upload of a coordinate file into a job
    ReceiveObservations, // download of a job's measurements
    EraseCoordinates,    // erasing a job's coordinates
};

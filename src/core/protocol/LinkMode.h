#pragma once

// Which conversation with the instrument is running. The values are the ones
// the manager and the progress dialogs have always used; 5 is not used.
enum class LinkMode : int {
    Directory = 0,           // no connection yet, then the opening conversation
    Idle = 1,                // connection open, nothing running
    ReceiveCoordinates = 2,  // download of a job's coordinates
    RefreshDirectory = 3,    // reading the job directory again after a change
    SendCoordinates = 4,     // upload of a coordinate file into a job
    ReceiveObservations = 6, // download of a job's measurements
    EraseCoordinates = 7,    // erasing a job's coordinates
};

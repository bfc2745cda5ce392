// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/DelimitedIo.h"

// LandXML files (".xml"): the points are the CgPoint elements wherever they
// stand (name and code attributes, the text "northing easting [elevation]");
// everything else in the document is ignored. A file in feet, a CgPoint whose
// text is no pair of numbers, or a document that is no well-formed XML is
// refused with the line named.
class LandXmlReader
{
public:
    static DelimitedResult read(QIODevice &device, PointSink &sink);
};

#pragma once

#include <ctime>
#include <ostream>
#include <string>

#include "geometry/PolygonSet.h"

namespace Zelkor::Rectilinear::Math {

// Developer aids; nothing in the engine calls them.

// Writes a command line for the `convert` image tool that draws the set, slid
// to the origin and scaled to fit 800 x 800, as filled shapes (colours
// cycling over six) with black outlines, saved as fileName (a null name is
// left out). Pasting the line into a shell shows the geometry.
void printPolygonsForViewing(PolygonSet polygonSet, const char* fileName);
void printPolygonsForViewing(PolygonSet polygonSet, const char* fileName, std::ostream& out);

// Writes the current local time in the C library's asctime layout, e.g.
// "Sun Sep 16 01:03:52 1973\n".
void printTimeStamp();
void printTimeStamp(std::ostream& out);

// The asctime layout of a broken-down time, without the C library's shared
// buffer.
std::string formatTimeStamp(const std::tm& timeinfo);

}  // namespace Zelkor::Rectilinear::Math

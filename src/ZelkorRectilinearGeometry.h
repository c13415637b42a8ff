#pragma once

// The public C++ interface of the rectilinear geometry library.

#include "geometry/CrossSection.h"
#include "geometry/Exception.h"
#include "geometry/InterruptedException.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/NonrectilinearException.h"
#include "geometry/PackingException.h"
#include "geometry/Point.h"
#include "geometry/Rectangle.h"
#include "geometry/Rounding.h"
#include "geometry/Segment.h"
#include "geometry/SegmentSplitting.h"

#pragma once

// The public C++ interface of the rectilinear geometry library.

// Primitives and shapes.
#include "geometry/CoordinateRangeException.h"
#include "geometry/CrossSection.h"
#include "geometry/DirectedGraph.h"
#include "geometry/ExactArea.h"
#include "geometry/Exception.h"
#include "geometry/HoledPolygon.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/InterruptedException.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/NonrectilinearException.h"
#include "geometry/OutlineSimplicity.h"
#include "geometry/PackingException.h"
#include "geometry/Point.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "geometry/Rectangle.h"
#include "geometry/Rounding.h"
#include "geometry/Segment.h"
#include "geometry/WhiteSpaceInformation.h"
#include "geometry/SegmentSplitting.h"
#include "geometry/ShapeValidation.h"

// Placement of shapes in hosts.
#include "placement/HostSearch.h"
#include "placement/PlacementServices.h"
#include "placement/WhiteSpaceInformation.h"

// The nesting engine, and packing jobs as text.
#include "packing/ComparablePacking.h"
#include "packing/ForwardProgress.h"
#include "packing/FreeRectangles.h"
#include "packing/Growth.h"
#include "packing/HostAssignment.h"
#include "packing/IndexedValue.h"
#include "packing/InterruptedException.h"
#include "packing/LatticeBox.h"
#include "packing/OptimizingPack.h"
#include "packing/PackingCache.h"
#include "packing/PackingDriver.h"
#include "packing/PackingException.h"
#include "packing/PackingHelpers.h"
#include "packing/PackingJob.h"
#include "packing/PackingModes.h"
#include "packing/PackingOptions.h"
#include "packing/PairingMemo.h"
#include "packing/PairingSearch.h"
#include "packing/PartFit.h"
#include "packing/ReportReceiver.h"
#include "packing/SpecialCasePrePacking.h"

// Cut lines, admissible cuts and leftover material.
#include "cutting/CutLines.h"
#include "cutting/CutServices.h"
#include "cutting/PolygonSetCutResult.h"

// Developer output.
#include "diagnostics/DebugOutput.h"

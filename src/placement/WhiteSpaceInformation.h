#pragma once

// Forwarding header: the score is a plain value of the geometry, which the
// host search below fills; this path stays for code that included it here.
#include "geometry/WhiteSpaceInformation.h"

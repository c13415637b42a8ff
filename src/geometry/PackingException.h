#pragma once

// Forwarding header: the class lives with the packing engine, which throws it
// (or whose receivers do); this path stays for code that included it here.
#include "packing/PackingException.h"

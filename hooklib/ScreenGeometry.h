// From the screen's physical size and resolution to the factors by which the hook turns
// pixels into metres and grid cells. Platform-free arithmetic in extended precision.
#pragma once

#include "SharedBlock.h"

namespace kurvix {

// Centimetres at the interface, millimetres in the block.
double CentimetresToMillimetres(double cm);
double MillimetresToCentimetres(double mm);

// Recomputes the four factors for a display of rx by ry pixels. A direction that reports no
// pixels keeps its factors (they would be infinite).
void ApplyResolution(SharedBlock& block, int rx, int ry);

} // namespace kurvix

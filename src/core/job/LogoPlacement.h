#pragma once

#include "GridGeometry.h"

// Where a logo of logoWidth x logoHeight is drawn in box: centred, shrunk to fit but never
// enlarged. A logo taller than wide in a box wider than tall may come out wider than the box.
GridRect placeLogo(const GridRect& box, int logoWidth, int logoHeight);

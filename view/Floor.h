#pragma once

// The checkerboard floor: 10 x 10 tiles of side 1.6 covering -8..8 in x and z on the plane y = 0,
// unlit, with the depth test on. The tile at the corner (-8, -8) is greyish blue.
void drawFloor();

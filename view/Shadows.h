#pragma once

// Fake shadows: matrices that flatten the scene onto the plane y = 0.01, just above the floor.
// Conventions: y is up; matrices are 16 doubles in OpenGL's column-major order.

// Straight down: (X, Y, Z) -> (X, 0.01, Z).
extern const double dropShadowMatrix[16];

// From a point light at (lx, ly, lz): (X, Y, Z, 1) -> (ly X - lx Y, 0.01, ly Z - lz Y, ly - Y),
// where the ray from the light through the point meets the floor. Not guarded for points at or
// above the light's height.
void pointShadowMatrix(double lx, double ly, double lz, double m[16]);

// Multiply the current GL matrix by the matrices above.
void multDropShadow();
void multPointShadow(double lx, double ly, double lz);

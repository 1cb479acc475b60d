#pragma once

// Orientation frames from a direction of travel.
// Conventions: y is up; matrices are 16 doubles in OpenGL's column-major order (element 4c + r is
// row r of column c). With f the unit direction, w = -f, u = (0, 1, 0) x w and v = w x u; u and v
// have the horizontal length of f and are not normalised. A zero or NaN direction falls back to
// f = (0, 0, -1) for the train frame and f = (0, 0, 1) for the ride frame.

// c = a x b, right-handed.
void crossProduct(double ax, double ay, double az, double bx, double by, double bz,
                  double* cx, double* cy, double* cz);

// Columns u, v, w: maps train coordinates to world directions (the train faces its own -z).
void trainFrameMatrix(double dx, double dy, double dz, double m[16]);
// Rows u, v, w: the transpose of the train frame, mapping world directions to view coordinates.
void rideFrameMatrix(double dx, double dy, double dz, double m[16]);

// Multiply the current GL matrix by the frames above.
void multTrainFrame(double dx, double dy, double dz);
void multRideFrame(double dx, double dy, double dz);

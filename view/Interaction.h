#pragma once

// Mouse interaction state and geometry.
// Conventions: y is up; mouse coordinates are the toolkit's (origin top-left, y down);
// angles in radians.

// The position and the button of the last press in the view (any button), and the eye at the
// last right press.
extern int pressX;
extern int pressY;
extern int pressButton;
extern double savedEye[3];

// Unprojects the mouse, in the view's pixels (origin top-left), at window depths 0.25 (near point
// n) and 0.75 (far point f) through the current viewport, modelview and projection. Returns 1
// when both succeed, else 0.
int unprojectMouse(double mx, double my, double* nx, double* ny, double* nz,
                   double* fx, double* fy, double* fz);

// Where the line through n and f meets the plane through p: horizontal unless vertical is set or
// the line is nearly horizontal, else the vertical plane (x or z constant) that faces the line
// best. The result is p itself when the line is nearly parallel to the chosen plane.
void moveOnPlane(double nx, double ny, double nz, double fx, double fy, double fz,
                 double px, double py, double pz, double* rx, double* ry, double* rz,
                 int vertical);

// The eye orbited about center by the mouse displacement (dx, dy) since the press, in the
// toolkit's units (what the hand moves, at every screen scale), with a dead zone of 5 units on
// each axis: 0.005 radians per unit, first in the x-z plane, then in the
// x-y plane. The distance to the center is kept.
void orbitEye(int dx, int dy, double cx, double cy, double cz, double sx, double sy, double sz,
              double* ex, double* ey, double* ez);

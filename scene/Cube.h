#pragma once

// Draws an axis-aligned cube centred on (cx, cy, cz) with the given edge length, as six quads
// with outward unit normals. Sets no colour; the modelview matrix is left as it was found.
void drawCube(double cx, double cy, double cz, double edge);

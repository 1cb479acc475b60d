#pragma once

#include <array>
#include <vector>

class BenchScene;

// The GL stream of one frame or pick of a BenchScene, captured once: the same primitives,
// vertices, normals, colours and matrices, with every value precomputed. Replaying it with a bare
// loop measures what GL itself costs for the frame, without our scene objects.
struct GlStream {
    struct Item {
        enum Kind { Point, Curve, Train } kind;
        std::array<double, 3> at;      // point: cube centre; train: curve point
        std::array<float, 3> colour;   // point colour in the normal pass
        std::array<double, 16> frame;  // train only
    };
    std::vector<Item> items;  // registry order
    std::vector<std::array<double, 3>> curveVertices;
    std::array<double, 3> eye, center, light;
    double fieldOfView;
    int width, height;
};

GlStream captureStream(BenchScene& scene);

// One frame as the view draws it, shadows on line shadowLine of "Shadow Type", lighting on.
void replayFrame(const GlStream& stream, int shadowLine);
// One pick at the given window position as the view makes it; returns GL's hit count.
int replayPick(const GlStream& stream, int mx, int my);

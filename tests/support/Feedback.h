#pragma once

#include <FL/gl.h>

#include <array>
#include <functional>
#include <vector>

// What a draw emits, captured with GL feedback mode (GL_3D_COLOR) in the current context:
// vertices in window coordinates with their colours, grouped into primitives.
struct FeedbackVertex {
    double x, y, z;     // window coordinates, depth in [0, 1]
    double r, g, b, a;  // colour after lighting
};

struct FeedbackPrimitive {
    GLfloat token;  // GL_POLYGON_TOKEN, GL_LINE_TOKEN, GL_LINE_RESET_TOKEN, GL_POINT_TOKEN, ...
    std::vector<FeedbackVertex> vertices;
};

std::vector<FeedbackPrimitive> captureFeedback(const std::function<void()>& draw);

// All vertices of the captured primitives, in order.
std::vector<FeedbackVertex> allVertices(const std::vector<FeedbackPrimitive>& primitives);

// The quads of a GL_QUADS draw, each as its four vertices in the order they were given. Mesa's
// feedback reports a quad (v0, v1, v2, v3) either as one polygon or as the triangles
// (v0, v1, v3), (v1, v2, v3); both are accepted. Fails the test on anything else.
std::vector<std::array<FeedbackVertex, 4>> quadsOf(const std::vector<FeedbackPrimitive>& primitives);

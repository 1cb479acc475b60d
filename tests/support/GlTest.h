#pragma once

#include <gtest/gtest.h>

#include <FL/Fl_Gl_Window.H>
#include <FL/gl.h>

#include <array>

// A real GL context (Mesa under Xvfb) on a small shown window whose own draw does nothing.
// The viewport is 200 x 200, the projection an orthographic box of +-10 on every axis and the
// modelview the identity, so a world point (x, y, z) lands at window ((x + 10) * 10,
// (y + 10) * 10) with depth (1 - z / 10) / 2.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static constexpr int size = 200;
    Fl_Gl_Window* window = nullptr;
};

// Inverse of the window mapping above.
std::array<double, 3> worldFromWindow(double wx, double wy, double wz);

// The current matrix of the given kind (GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX).
std::array<double, 16> currentMatrix(GLenum which);

// Window coordinates of a world point through the current modelview, projection and viewport.
std::array<double, 3> projectThroughCurrent(double x, double y, double z);

// Element-wise comparison of two column-major matrices, the tolerance relative to elements
// above 1 (GL keeps its matrices in single precision).
void expectMatrixNear(const double* expected, const double* actual, double tolerance);

#include "GlTest.h"

#include <FL/Fl.H>
#include <FL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace {

class BlankGlWindow : public Fl_Gl_Window {
public:
    BlankGlWindow(int w, int h) : Fl_Gl_Window(0, 0, w, h) {}
    void draw() override {}
};

}  // namespace

void GlTest::SetUp() {
    window = new BlankGlWindow(size, size);
    window->show();
    for (int k = 0; k < 100 && !window->shown(); ++k)
        Fl::check();
    ASSERT_TRUE(window->shown());
    window->make_current();
    ASSERT_TRUE(window->context() != nullptr);
    glViewport(0, 0, size, size);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-10, 10, -10, 10, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void GlTest::TearDown() {
    delete window;
    window = nullptr;
}

std::array<double, 3> worldFromWindow(double wx, double wy, double wz) {
    return {wx / 10.0 - 10.0, wy / 10.0 - 10.0, (1.0 - 2.0 * wz) * 10.0};
}

std::array<double, 16> currentMatrix(GLenum which) {
    std::array<double, 16> m{};
    glGetDoublev(which, m.data());
    return m;
}

std::array<double, 3> projectThroughCurrent(double x, double y, double z) {
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::array<double, 3> w{};
    gluProject(x, y, z, modelview, projection, viewport, &w[0], &w[1], &w[2]);
    return w;
}

void expectMatrixNear(const double* expected, const double* actual, double tolerance) {
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(expected[k], actual[k], tolerance * std::max(1.0, std::fabs(expected[k])))
            << "element " << k;
}

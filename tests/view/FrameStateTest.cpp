#include "Camera.h"
#include "ControlPoint.h"
#include "Curve.h"
#include "Feedback.h"
#include "GlTest.h"
#include "Handles.h"
#include "SceneObject.h"
#include "Shadows.h"
#include "ViewTest.h"

#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Light_Button.H>
#include <FL/gl.h>

#include <array>
#include <cmath>
#include <string>

namespace {

// GL state as an object finds it when the view asks it to draw.
struct StateSeen {
    int shadowPass;
    bool depthTest, lighting, colourMaterial, light0;
    GLint matrixMode;
    std::array<double, 16> modelview, projection;
    GLfloat colour[4];
    GLint viewport[4];
};

class Probe : public SceneObject {
public:
    Probe() : SceneObject(0, 0, 0) {}
    void draw(int shadowPass) override {
        StateSeen s;
        s.shadowPass = shadowPass;
        s.depthTest = glIsEnabled(GL_DEPTH_TEST);
        s.lighting = glIsEnabled(GL_LIGHTING);
        s.colourMaterial = glIsEnabled(GL_COLOR_MATERIAL);
        s.light0 = glIsEnabled(GL_LIGHT0);
        glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
        s.modelview = currentMatrix(GL_MODELVIEW_MATRIX);
        s.projection = currentMatrix(GL_PROJECTION_MATRIX);
        glGetFloatv(GL_CURRENT_COLOR, s.colour);
        glGetIntegerv(GL_VIEWPORT, s.viewport);
        seen.push_back(s);
    }
    std::vector<StateSeen> seen;
};

// Draws one point at its position and notes when it was drawn.
class Dot : public SceneObject {
public:
    Dot(double x, double y, double z) : SceneObject(x, y, z) {}
    void draw(int) override {
        order.push_back(this);
        glBegin(GL_POINTS);
        glVertex3d(x, y, z);
        glEnd();
    }
    static std::vector<const Dot*> order;
};
std::vector<const Dot*> Dot::order;

class FrameState : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        shadows = new Fl_Hold_Browser(0, 0, 100, 60);
        shadows->add("None");
        shadows->add("Hack Drop");
        shadows->add("Hack Point Light");
        shadows->select(3, 1);
        shadowTypeBrowser = shadows;
        lighting = new Fl_Light_Button(0, 0, 10, 10);
        lighting->value(1);
        lightingButton = lighting;
        lightMarker = &light;
    }
    void TearDown() override {
        shadowTypeBrowser = nullptr;
        lightingButton = nullptr;
        lightMarker = nullptr;
        delete shadows;
        delete lighting;
        ViewTest::TearDown();
    }
    void frame() {
        view->make_current();
        view->draw();
    }
    std::vector<StateSeen> pass(int shadowPass) const {
        std::vector<StateSeen> out;
        for (const auto& s : probe.seen)
            if (s.shadowPass == shadowPass)
                out.push_back(s);
        return out;
    }

    ControlPoint light{5, 7, 5};
    Probe probe;
    Fl_Hold_Browser* shadows = nullptr;
    Fl_Light_Button* lighting = nullptr;
};

}  // namespace

TEST_F(FrameState, ObjectsDrawWithTheCameraPerspectiveDepthAndLight) {
    frame();
    const auto normal = pass(0);
    ASSERT_EQ(normal.size(), 1u);
    const StateSeen& s = normal[0];
    EXPECT_TRUE(s.depthTest);
    EXPECT_TRUE(s.lighting);
    EXPECT_TRUE(s.light0);
    EXPECT_TRUE(s.colourMaterial);
    EXPECT_EQ(s.matrixMode, GL_MODELVIEW);
    const auto camera = lookAtMatrix(view->eye, view->center);
    expectMatrixNear(camera.data(), s.modelview.data(), 1e-6);
    const auto perspective = perspectiveMatrix(50, 670.0 / 470.0);
    expectMatrixNear(perspective.data(), s.projection.data(), 1e-6);
    EXPECT_EQ(s.viewport[0], 0);
    EXPECT_EQ(s.viewport[1], 0);
    EXPECT_EQ(s.viewport[2], 670);
    EXPECT_EQ(s.viewport[3], 470);
}

TEST_F(FrameState, OneFrameDrawsTheShadowsThenTheFloorOnceThenTheObjects) {
    // From high above, so that every tile is whole on the screen; unlit, so that colours are
    // plain: the light marker is red, its drop shadow black, the tiles the floor's two colours.
    view->eye[0] = 0, view->eye[1] = 30, view->eye[2] = 1;
    view->center[0] = view->center[1] = view->center[2] = 0;
    shadows->select(2, 1);
    lighting->value(0);
    const auto primitives = captureFeedback([&] { view->draw(); });
    const auto is = [](const FeedbackVertex& v, double r, double g, double b) {
        return std::fabs(v.r - r) < 1e-6 && std::fabs(v.g - g) < 1e-6 && std::fabs(v.b - b) < 1e-6;
    };
    std::string runs;
    std::vector<FeedbackPrimitive> floor;
    for (const auto& p : primitives) {
        const FeedbackVertex& v = p.vertices.at(0);
        char kind = '?';
        if (is(v, 0, 0, 0))
            kind = 'S';
        else if (is(v, 0.3, 0.3, 0.7) || is(v, 0.7, 0.7, 0.7))
            kind = 'F', floor.push_back(p);
        else if (is(v, 1, 0, 0))
            kind = 'O';
        if (runs.empty() || runs.back() != kind)
            runs += kind;
    }
    EXPECT_EQ(runs, "SFO") << "S shadow, F floor, O object, ? other, in the order drawn";
    EXPECT_EQ(quadsOf(floor).size(), 100u);
}

TEST_F(FrameState, ShadowPassIsUnlitBlackAndFlattenedUnderTheCamera) {
    frame();
    frame();
    const auto shadow = pass(1);
    ASSERT_EQ(shadow.size(), 2u);
    // The depth test is on from the first frame's shadow pass on, although a fresh context
    // starts with it off: otherwise the floor would cover the first frame's shadows.
    for (const auto& s : shadow) {
        EXPECT_TRUE(s.depthTest);
        EXPECT_FALSE(s.lighting);
        for (GLfloat c : s.colour)
            EXPECT_EQ(c, 0.0f);
        double m[16];
        pointShadowMatrix(5, 7, 5, m);
        const auto expected =
            multiply(lookAtMatrix(view->eye, view->center), std::array<double, 16>{
                m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11],
                m[12], m[13], m[14], m[15]});
        expectMatrixNear(expected.data(), s.modelview.data(), 1e-6);
    }
    // The second frame's shadows come from the lit first frame: lighting was switched off.
    EXPECT_TRUE(pass(0)[0].lighting);
}

TEST_F(FrameState, DropShadowUsesTheConstantMatrix) {
    shadows->select(2, 1);
    frame();
    const auto shadow = pass(1);
    ASSERT_EQ(shadow.size(), 1u);
    std::array<double, 16> drop;
    std::copy(dropShadowMatrix, dropShadowMatrix + 16, drop.begin());
    const auto expected = multiply(lookAtMatrix(view->eye, view->center), drop);
    expectMatrixNear(expected.data(), shadow[0].modelview.data(), 1e-6);
}

TEST_F(FrameState, NoShadowPassForNone) {
    shadows->select(1, 1);
    frame();
    EXPECT_TRUE(pass(1).empty());
    EXPECT_EQ(pass(0).size(), 1u);
}

TEST_F(FrameState, LightingOffLeavesColourMaterialOn) {
    lighting->value(0);
    frame();
    ASSERT_EQ(pass(0).size(), 1u);
    EXPECT_FALSE(pass(0)[0].lighting);
    EXPECT_TRUE(pass(0)[0].colourMaterial);
    EXPECT_TRUE(pass(0)[0].depthTest);
}

TEST_F(FrameState, NullHandlesCountAsOff) {
    shadowTypeBrowser = nullptr;
    lightingButton = nullptr;
    frame();
    EXPECT_TRUE(pass(1).empty());
    ASSERT_EQ(pass(0).size(), 1u);
    EXPECT_FALSE(pass(0)[0].lighting);
}

TEST_F(FrameState, WhatTheFrameLeavesBehind) {
    frame();
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    const auto camera = lookAtMatrix(view->eye, view->center);
    expectMatrixNear(camera.data(), currentMatrix(GL_MODELVIEW_MATRIX).data(), 1e-6);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[0], 0);
    EXPECT_FLOAT_EQ(clear[1], 0);
    EXPECT_FLOAT_EQ(clear[2], 0.3f);
    EXPECT_FLOAT_EQ(clear[3], 0);

    // Lighting off: the next frame leaves lighting off, light 0 still on.
    lighting->value(0);
    frame();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
}

TEST_F(FrameState, ObjectsAreDrawnInRegistryOrderUnderTheirIndex) {
    // Two more objects that each draw one point in view: indices 2 and 3 after the light marker
    // (0) and the probe (1), which draws nothing and so leaves no record.
    Dot second(0, 0, 0), third(1, 0, 0);
    GLuint buffer[64];
    glSelectBuffer(64, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    view->setProjection();
    view->drawObjects(0);
    const GLint hits = glRenderMode(GL_RENDER);
    // One record per object that drew, in registry order, each with its own index as its one
    // name: four words per record (count, two depths, name).
    ASSERT_EQ(hits, 3);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(buffer[4 * r], 1u) << "record " << r;
    EXPECT_EQ(buffer[3], 0u);
    EXPECT_EQ(buffer[7], 2u);
    EXPECT_EQ(buffer[11], 3u);
    EXPECT_EQ(probe.seen.size(), 1u);
    EXPECT_EQ(Dot::order, (std::vector<const Dot*>{&second, &third}));
}

// The start-up scene's first frame read back from the frame buffer, not from the screen: where a
// window system does not show the view (Wine 8 keeps GL child windows black on Xvfb), this still
// sees the picture the program drew.
TEST_F(FrameState, FirstFrameReadsBackAsBackgroundFloorAndPoints) {
    ControlPoint p1{2, 0.1, 2}, p2{-2, 0.1, 2}, p3{-2, 0.1, -2}, p4{2, 0.1, -2};
    Curve curve;
    for (auto* p : {&p1, &p2, &p3, &p4})
        curve.append(p);
    frame();
    glFinish();
    using Rgb = std::array<int, 3>;
    const auto readBack = [](int viewX, int viewY) {
        GLubyte rgb[3];
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(viewX, 470 - 1 - viewY, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        return Rgb{rgb[0], rgb[1], rgb[2]};
    };
    const ViewCamera camera;  // main-window coordinates; the view starts at (220, 10)
    const auto at = [&](double x, double y, double z) {
        const auto w = camera.windowPosition(x, y, z);
        return readBack(static_cast<int>(w[0]) - 220, static_cast<int>(w[1]) - 10);
    };
    const auto within = [](Rgb c, Rgb expected, int tolerance) {
        for (int k = 0; k < 3; ++k)
            if (std::abs(c[k] - expected[k]) > tolerance)
                return false;
        return true;
    };
    const auto show = [](Rgb c) {
        return std::to_string(c[0]) + ", " + std::to_string(c[1]) + ", " + std::to_string(c[2]);
    };
    // Background above the horizon; a greyish-blue tile and a grey one near the camera.
    EXPECT_TRUE(within(readBack(20, 20), {0, 0, 77}, 2)) << show(readBack(20, 20));
    const Rgb blue = at(-8 + 1.6 * 5.5, 0, -8 + 1.6 * 7.5), grey = at(-8 + 1.6 * 6.5, 0, -8 + 1.6 * 7.5);
    EXPECT_TRUE(within(blue, {76, 76, 178}, 2)) << show(blue);
    EXPECT_TRUE(within(grey, {178, 178, 178}, 2)) << show(grey);
    // The curve's points are green cubes, the light marker a red one.
    for (const ControlPoint* p : {&p1, &p2, &p3, &p4}) {
        const Rgb c = at(p->x, p->y + 0.25, p->z);
        EXPECT_TRUE(c[1] > 90 && c[0] < c[1] / 2 && c[2] < c[1] / 2)
            << "point " << p->x << ", " << p->z << ": " << show(c);
    }
    const Rgb red = at(5, 7.25, 5);
    EXPECT_TRUE(red[0] > 90 && red[1] < red[0] / 2 && red[2] < red[0] / 2) << show(red);
}

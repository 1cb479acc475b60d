#include "ControlPoint.h"
#include "Feedback.h"
#include "GlTest.h"
#include "Handles.h"
#include "ViewTest.h"

#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Light_Button.H>
#include <FL/gl.h>

// The shadow pass seen from outside the frame: with "None" it touches nothing.
namespace {

class ShadowPass : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        browser = std::make_unique<Fl_Hold_Browser>(0, 0, 100, 60);
        for (const char* line : {"None", "Hack Drop", "Hack Point Light"})
            browser->add(line);
        shadowTypeBrowser = browser.get();
        lightMarker = &marker;
    }
    void TearDown() override {
        shadowTypeBrowser = nullptr;
        lightMarker = nullptr;
        ViewTest::TearDown();
    }
    std::unique_ptr<Fl_Hold_Browser> browser;
    ControlPoint marker{5, 7, 5};
};

}  // namespace

TEST_F(ShadowPass, PushesAndPopsUnlitBlackWithDepthTestAfter) {
    browser->select(3, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0, 0, -10);
    const auto before = currentMatrix(GL_MODELVIEW_MATRIX);
    glEnable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    view->drawShadowPass();
    expectMatrixNear(before.data(), currentMatrix(GL_MODELVIEW_MATRIX).data(), 0);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    for (GLfloat c : colour)
        EXPECT_EQ(c, 0.0f);
}

TEST_F(ShadowPass, NoneTouchesNoState) {
    browser->select(1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(1, 2, 3);
    const auto before = currentMatrix(GL_MODELVIEW_MATRIX);
    glEnable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor4f(0.2f, 0.4f, 0.6f, 1);
    view->drawShadowPass();
    expectMatrixNear(before.data(), currentMatrix(GL_MODELVIEW_MATRIX).data(), 0);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.2f);
    EXPECT_FLOAT_EQ(colour[2], 0.6f);
    // And without a browser at all.
    shadowTypeBrowser = nullptr;
    view->drawShadowPass();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(ShadowPass, RunsOnlyForDropAndPointLight) {
    // A point low enough for the light above it to cast a shadow; only lines 2 and 3 emit black.
    ControlPoint low(0, 0.1, 0);
    for (int line : {1, 2, 3}) {
        browser->select(line, 1);
        view->make_current();
        const auto vertices = allVertices(captureFeedback([&] { view->draw(); }));
        int black = 0;
        for (const auto& v : vertices)
            if (v.r == 0 && v.g == 0 && v.b == 0)
                ++black;
        if (line == 1)
            EXPECT_EQ(black, 0);
        else
            EXPECT_GE(black, 12) << "line " << line;
    }
}

TEST_F(ShadowPass, ColourMaterialIsOnInEveryFrame) {
    Fl_Light_Button lighting(0, 0, 10, 10);
    lightingButton = &lighting;
    for (int on : {1, 0, 1}) {
        lighting.value(on);
        glDisable(GL_COLOR_MATERIAL);
        view->draw();
        EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
        EXPECT_EQ(glIsEnabled(GL_LIGHTING), on ? GL_TRUE : GL_FALSE);
    }
    lightingButton = nullptr;
}

#pragma once

#include "Camera.h"
#include "GlTest.h"
#include "Layout.h"
#include "SceneView.h"

#include <gtest/gtest.h>

#include <FL/Fl.H>

#include <array>
#include <cmath>

// A real SceneView of the program's size, shown on its own with its context current.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = new SceneView(0, 0, layout::viewWidth, layout::viewHeight);
        view->show();
        for (int k = 0; k < 100 && !view->shown(); ++k)
            Fl::check();
        ASSERT_TRUE(view->shown());
        view->make_current();
    }
    void TearDown() override { delete view; }

    // Toolkit mouse coordinates (y down) where the view's camera shows the world point.
    std::array<int, 2> mouseOf(double x, double y, double z) {
        view->make_current();
        glViewport(0, 0, view->w(), view->h());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        view->setProjection();
        const auto w = projectThroughCurrent(x, y, z);
        return {static_cast<int>(w[0]), view->h() - static_cast<int>(w[1])};
    }

    SceneView* view = nullptr;
};

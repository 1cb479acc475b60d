#pragma once

#include "AppProcess.h"
#include "Camera.h"
#include "Screenshot.h"
#include "XWindow.h"

#include <gtest/gtest.h>

#include <memory>

// One run of the real program per test, its first frame drawn before the test body starts.
class E2E : public ::testing::Test {
protected:
    void start(const std::vector<std::string>& args = {}) {
        app = std::make_unique<AppProcess>(args);
        ASSERT_TRUE(app->waitForWindow()) << "the main window did not appear";
    }
    void SetUp() override { start(); }
    void TearDown() override { app.reset(); }

    // Clicks at a main-window position.
    static void clickAt(double wx, double wy, int button = 1) {
        xdotool("mousemove " + std::to_string(screenX(wx)) + " " + std::to_string(screenY(wy)) +
                " click " + std::to_string(button));
    }
    static void moveTo(int sx, int sy) {
        xdotool("mousemove " + std::to_string(sx) + " " + std::to_string(sy));
    }
    // Polls until the screen at (sx, sy) satisfies the predicate.
    template <typename Predicate>
    static bool waitFor(int sx, int sy, Predicate ok, double seconds = 10) {
        for (double waited = 0; waited < seconds; waited += 0.1) {
            const Screenshot shot = Screenshot::take();
            if (!shot.empty() && ok(shot.at(sx, sy)))
                return true;
            pause(0.1);
        }
        return false;
    }

    // Polls until a whole screenshot satisfies the predicate; last holds the last look either way.
    template <typename Predicate>
    static bool waitForShot(Predicate ok, Screenshot& last, double seconds = 10) {
        for (double waited = 0;; waited += 0.1) {
            last = Screenshot::take();
            if (!last.empty() && ok(last))
                return true;
            if (waited >= seconds)
                return false;
            pause(0.1);
        }
    }

    ViewCamera camera;
    std::unique_ptr<AppProcess> app;
};

// Colour families under the light, whose shading varies.
inline bool greenish(Rgb c) { return c.g > 90 && c.r < c.g / 2 && c.b < c.g / 2; }
inline bool reddish(Rgb c) { return c.r > 90 && c.g < c.r / 2 && c.b < c.r / 2; }
inline bool cyanish(Rgb c) { return c.g > 90 && c.b > 90 && c.r < c.g / 2; }
inline bool trainish(Rgb c) { return c.r > 60 && c.g > 90 && c.b < c.g / 3 && c.r < c.g; }

// Exact colours of the unlit floor and background.
const Rgb background{0, 0, 77};
const Rgb floorGrey{178, 178, 178};
const Rgb floorBlue{76, 76, 178};
const Rgb trackBlue{0, 0, 178};

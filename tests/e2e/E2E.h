#pragma once

#include "AppProcess.h"
#include "Camera.h"
#include "Screenshot.h"
#include "XWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

// Colour families under the light, whose shading varies.
inline bool greenish(Rgb c) { return c.g > 90 && c.r < c.g / 2 && c.b < c.g / 2; }
inline bool reddish(Rgb c) { return c.r > 90 && c.g < c.r / 2 && c.b < c.r / 2; }
inline bool cyanish(Rgb c) { return c.g > 90 && c.b > 90 && c.r < c.g / 2; }
inline bool trainish(Rgb c) { return c.r > 60 && c.g > 90 && c.b < c.g / 3 && c.r < c.g; }

// One run of the real program per test, its first frame drawn before the test body starts.
class E2E : public ::testing::Test {
protected:
    // The program, on a screen scaled by the toolkit's FLTK_SCALING_FACTOR when scale is not 1.
    void start(const std::vector<std::string>& args = {}, double scale = 1) {
        std::vector<std::string> env;
        if (scale != 1)
            env.push_back("FLTK_SCALING_FACTOR=" + std::to_string(scale));
        app = std::make_unique<AppProcess>(args, "", env);
        camera.scale = scale;
        ASSERT_TRUE(app->waitForWindow(30, scale)) << "the main window did not appear";
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
    // Polls until the screen at (sx, sy) satisfies the predicate; on failure, says what was there.
    template <typename Predicate>
    static testing::AssertionResult waitFor(int sx, int sy, Predicate ok, double seconds = 10) {
        Screenshot last;
        if (waitForShot([&](const Screenshot& s) { return ok(s.at(sx, sy)); }, last, seconds))
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << "after " << seconds << " s the pixel at " << sx << ", " << sy << " is "
               << (last.empty() ? std::string("unknown (no screenshot)") : describe(last.at(sx, sy)));
    }

    // Polls until a whole screenshot satisfies the predicate; last holds the last look either way.
    template <typename Predicate>
    static bool waitForShot(Predicate ok, Screenshot& last, double seconds = 10) {
        const auto start = std::chrono::steady_clock::now();
        for (;;) {
            last = Screenshot::take();
            if (!last.empty() && ok(last))
                return true;
            if (std::chrono::steady_clock::now() - start >= std::chrono::duration<double>(seconds))
                return false;
            pause(0.1);
        }
    }

    // Polls until two screenshots in a row show the same view; last holds the later one.
    static bool waitForStill(Screenshot& last, double seconds = 10) {
        Screenshot previous = Screenshot::take();
        return waitForShot(
            [&](const Screenshot& s) {
                const bool still = !previous.empty() && differingInView(previous, s, 0) == 0;
                previous = s;
                return still;
            },
            last, seconds);
    }

    // A press where P2 is drawn picks it (the track through its cube comes after it) and turns
    // it cyan until the release.
    void expectPressOnP2SelectsItUntilRelease() {
        const auto p2 = camera.screenPosition(-2, 0.35, 2);
        moveTo(p2[0], p2[1]);
        xdotool("mousedown 1");
        EXPECT_TRUE(waitFor(p2[0], p2[1], cyanish));
        EXPECT_EQ(app->output(), "Hit 2 objects\n!hit 0 name 1\n");
        xdotool("mouseup 1");
        EXPECT_TRUE(waitFor(p2[0], p2[1], greenish));
    }

    ViewCamera camera;
    std::unique_ptr<AppProcess> app;
};

// Exact colours of the unlit floor and background.
const Rgb background{0, 0, 77};
const Rgb floorGrey{178, 178, 178};
const Rgb floorBlue{76, 76, 178};
const Rgb trackBlue{0, 0, 178};

// The icon's drawing at any size: on its 64-unit grid the red square spans 46 to 54 across and
// 8 to 16 down, so the pixel holding (50, 12) lies wholly inside it; the rounded corner leaves
// (0, 0) transparent.
inline void expectIconDrawing(const IconImage& image) {
    const unsigned long w = image.size;
    ASSERT_GE(w, 16ul);
    EXPECT_EQ(image.at(50 * w / 64, 12 * w / 64), 0xffc00000ul) << "red square at " << w;
    EXPECT_EQ(image.at(0, 0) >> 24, 0ul) << "corner alpha at " << w;
}

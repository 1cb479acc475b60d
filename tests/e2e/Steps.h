#pragma once

#include "AppProcess.h"
#include "Camera.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

// What a user does to the running program, the same for the Linux program and for loopline.exe
// under Wine: both put their window at (100, 100), so the start-up camera finds the scene alike.

// A press on the empty floor near the camera: the pick trace says it hit nothing.
inline testing::AssertionResult pressOnTheEmptyFloor(AppProcess& app, const ViewCamera& camera) {
    const auto floor = camera.screenPosition(-5, 0, 5);
    const std::size_t before = app.output().size();
    xdotool("mousemove " + std::to_string(floor[0]) + " " + std::to_string(floor[1]) + " click 1");
    return app.waitForOutput("Hit 0 objects", before);
}

// A left-button drag from one screen position to another, in small steps, optionally with Ctrl.
// The motion starts once the press's pick trace holds `picked` (any trace by default), so the
// program has taken the press.
inline void drag(AppProcess& app, std::array<int, 2> from, std::array<int, 2> to, bool ctrl = false,
                 const std::string& picked = "Hit ") {
    xdotool("mousemove " + std::to_string(from[0]) + " " + std::to_string(from[1]));
    if (ctrl)
        xdotool("keydown ctrl");
    const std::size_t before = app.output().size();
    xdotool("mousedown 1");
    EXPECT_TRUE(app.waitForOutput(picked, before)) << "no pick trace for the press";
    for (int k = 1; k <= 10; ++k) {
        const int x = from[0] + (to[0] - from[0]) * k / 10;
        const int y = from[1] + (to[1] - from[1]) * k / 10;
        xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
        pause(0.03);
    }
    xdotool("mouseup 1");
    if (ctrl)
        xdotool("keyup ctrl");
}

// Where a plain drag released at screen position `to` leaves a start-up point's cube: where the
// line of sight through the pointer meets the point's plane, y = 0.1. Returns its middle on the
// screen; `world` gets the point's new position.
inline std::array<int, 2> cubeAfterPlainDrag(const ViewCamera& camera, std::array<int, 2> to,
                                             std::array<double, 3>* world = nullptr) {
    const auto moved = camera.pointOnPlaneY((to[0] + 0.5) / camera.scale - layout::windowX,
                                           (to[1] + 0.5) / camera.scale - layout::windowY, 0.1);
    if (world)
        *world = moved;
    return camera.screenPosition(moved[0], 0.35, moved[2]);
}

// Escape over the view ends the program with status 1.
inline void expectEscapeEndsWithOne(AppProcess& app, double seconds = 30) {
    xdotool("mousemove " + std::to_string(screenX(450)) + " " + std::to_string(screenY(250)) +
            " key Escape");
    EXPECT_EQ(app.waitForExit(seconds), 1);
}

#pragma once

// Where the program's window and view sit, as the tests find them: without a window manager the
// main window's client area is at (100, 100) on the screen, 900 x 525; the view is at (220, 10)
// in it, 670 x 470.
namespace layout {

constexpr int windowX = 100;
constexpr int windowY = 100;
constexpr int windowWidth = 900;
constexpr int windowHeight = 525;
constexpr int viewX = 220;
constexpr int viewY = 10;
constexpr int viewWidth = 670;
constexpr int viewHeight = 470;

}  // namespace layout

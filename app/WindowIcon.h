#pragma once

class Fl_Window;

// The program's icon at the sizes desktops ask for, as 8-bit RGBA rows, top row first: made at
// build time from packaging/loopline.svg (app/icon-pixels.cmake), so nothing is read at run time.
struct IconPixels {
    int size;
    const unsigned char* rgba;
};
extern const IconPixels windowIconPixels[];
extern const int windowIconCount;

// The class desktops match the window to its menu entry by (WM_CLASS "loopline", "Loopline";
// the desktop entry's StartupWMClass).
constexpr const char* windowClass = "loopline";

// Gives the window the program's class and icons. Call before the window is shown.
void setWindowIdentity(Fl_Window& window);

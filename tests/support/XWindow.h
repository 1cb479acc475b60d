#pragma once

#include <string>
#include <vector>

// The X window id of the top-level window with exactly this title, or 0.
unsigned long findWindow(const std::string& title);

// Asks the window to close the way a window manager's close button does: a WM_DELETE_WINDOW
// message. Returns false when the display or the window cannot be reached.
bool requestClose(unsigned long window);

// Position and size of a top-level window on the screen.
struct WindowGeometry {
    int x = -1, y = -1, width = 0, height = 0;
};
WindowGeometry windowGeometry(unsigned long window);

// One property of a window as xprop prints it without its type ("NAME = value"), or "" when
// xprop cannot be run. format is xprop's -f format, such as "32c" for a list of cardinals.
std::string windowProperty(unsigned long window, const std::string& name,
                           const std::string& format = "");

// The images of a window's _NET_WM_ICON, each square side then its ARGB pixels row by row; empty
// when it has none. A malformed property gives what it holds up to the fault.
struct IconImage {
    unsigned long size = 0;
    std::vector<unsigned long> argb;
    unsigned long at(unsigned long x, unsigned long y) const { return argb[y * size + x]; }
};
std::vector<IconImage> windowIcons(unsigned long window);

#pragma once

#include <functional>
#include <string>

class Fl_Gl_Window;

// Inside the toolkit's loop: polls every 10 ms until `ready()` holds, then runs `then` once. At
// the deadline it fails the test with `seen()` (what it saw last) and hides every window, which
// ends the loop, rather than act on a window that is not there yet.
void whenReady(std::function<bool()> ready, std::function<std::string()> seen,
               std::function<void()> then, double seconds = 30);

// The view is mapped and has drawn a frame (the toolkit marks it valid after its first draw).
bool drawnOnce(Fl_Gl_Window* view);
std::string describeView(Fl_Gl_Window* view);

#include "LoopStart.h"

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Gl_Window.H>

#include <chrono>

namespace {

struct Wait {
    std::function<bool()> ready;
    std::function<std::string()> seen;
    std::function<void()> then;
    std::chrono::steady_clock::time_point deadline;
    double seconds;
};

void poll(void* data) {
    Wait* wait = static_cast<Wait*>(data);
    if (wait->ready()) {
        const auto then = wait->then;
        delete wait;
        then();
        return;
    }
    if (std::chrono::steady_clock::now() >= wait->deadline) {
        ADD_FAILURE() << "not ready within " << wait->seconds << " s; last seen: " << wait->seen();
        delete wait;
        while (Fl_Window* w = Fl::first_window())
            w->hide();
        return;
    }
    Fl::repeat_timeout(0.01, poll, wait);
}

}  // namespace

void whenReady(std::function<bool()> ready, std::function<std::string()> seen,
               std::function<void()> then, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(seconds));
    Fl::add_timeout(0.0, poll, new Wait{std::move(ready), std::move(seen), std::move(then),
                                        deadline, seconds});
}

bool drawnOnce(Fl_Gl_Window* view) {
    return view && view->shown() && view->visible() && view->valid();
}

std::string describeView(Fl_Gl_Window* view) {
    if (!view)
        return "no view";
    return std::string("shown ") + (view->shown() ? "yes" : "no") + ", visible " +
           (view->visible() ? "yes" : "no") + ", drawn " + (view->valid() ? "yes" : "no");
}

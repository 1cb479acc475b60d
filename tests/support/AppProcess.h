#pragma once

#include "Layout.h"
#include "WindowTitle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The real program, started as a child process under the test's X display, with its standard
// output captured through a pipe. Killed on destruction if it is still running.
class AppProcess {
public:
    // The program is `program` when given (with args after it), else $LOOPLINE_BINARY or the
    // build's loopline; env holds "NAME=value" settings added to its environment.
    explicit AppProcess(const std::vector<std::string>& args = {}, const std::string& program = "",
                        const std::vector<std::string>& env = {});
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    // Polls until the main window is mapped and its view has drawn a frame, on a screen of `scale`
    // pixels per window unit. A failure says what was seen last.
    testing::AssertionResult waitForWindow(double seconds = 30, double scale = 1);
    // Everything the program has printed so far.
    const std::string& output();
    // Polls until the output contains `text` after position `from`; a failure quotes the output.
    testing::AssertionResult waitForOutput(const std::string& text, std::size_t from = 0, double seconds = 10);
    // Polls until the process ends; returns its exit status, or -1 on timeout or a signal.
    int waitForExit(double seconds = 15);
    bool running();

private:
    void drain();
    int pid_ = -1;
    int outFd_ = -1;
    int status_ = -1;
    bool exited_ = false;
    std::string output_;
};

// The text quoted for a POSIX shell.
std::string shellQuote(const std::string& text);

// Runs xdotool with the given arguments; returns its exit status.
int xdotool(const std::string& args);

// Screen position of a point given in main-window coordinates.
inline int screenX(double windowX) { return layout::windowX + static_cast<int>(windowX); }
inline int screenY(double windowY) { return layout::windowY + static_cast<int>(windowY); }

// Sleeps the given number of seconds.
void pause(double seconds);

#include "AppProcess.h"

#include "Screenshot.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#ifndef LOOPLINE_BINARY
#define LOOPLINE_BINARY "loopline"
#endif

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

void pause(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

std::string shellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

int xdotool(const std::string& args) {
    const std::string command = "xdotool " + args + " >/dev/null 2>&1";
    return std::system(command.c_str());
}

AppProcess::AppProcess(const std::vector<std::string>& args, const std::string& program,
                       const std::vector<std::string>& env) {
    const char* binary = std::getenv("LOOPLINE_BINARY");
    if (!binary)
        binary = LOOPLINE_BINARY;
    if (!program.empty())
        binary = program.c_str();
    int fds[2];
    if (pipe(fds) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        for (const auto& setting : env)
            putenv(const_cast<char*>(setting.c_str()));
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(binary));
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(binary, argv.data());
        _exit(127);
    }
    close(fds[1]);
    outFd_ = fds[0];
    fcntl(outFd_, F_SETFL, O_NONBLOCK);
}

AppProcess::~AppProcess() {
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (outFd_ >= 0)
        close(outFd_);
}

void AppProcess::drain() {
    char chunk[4096];
    for (;;) {
        const ssize_t n = read(outFd_, chunk, sizeof chunk);
        if (n <= 0)
            break;
        output_.append(chunk, static_cast<std::size_t>(n));
    }
}

const std::string& AppProcess::output() {
    drain();
    return output_;
}

bool AppProcess::running() {
    if (pid_ <= 0 || exited_)
        return false;
    int status = 0;
    const pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
        exited_ = true;
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return false;
    }
    return true;
}

testing::AssertionResult AppProcess::waitForWindow(double seconds, double scale) {
    const auto start = std::chrono::steady_clock::now();
    const std::string search =
        "search --onlyvisible --name " + shellQuote(std::string("^") + mainWindowTitle + "$");
    bool found = false;
    Rgb corner{-1, -1, -1};
    while (secondsSince(start) < seconds) {
        if (!running())
            return testing::AssertionFailure()
                   << "the program ended (status " << status_ << ") before its window showed";
        found = xdotool(search) == 0;
        if (found) {
            // The view's first frame shows the background colour in its top-left corner.
            const Screenshot shot = Screenshot::take();
            if (!shot.empty()) {
                corner = shot.at(static_cast<int>(screenX(225) * scale),
                                 static_cast<int>(screenY(15) * scale));
                if (near(corner, {0, 0, 77}, 6))
                    return testing::AssertionSuccess();
            }
        }
        pause(0.1);
    }
    return testing::AssertionFailure()
           << "after " << seconds << " s: window " << (found ? "mapped" : "not found")
           << ", the view's corner " << (found ? describe(corner) : std::string("unseen"));
}

testing::AssertionResult AppProcess::waitForOutput(const std::string& text, std::size_t from,
                                                   double seconds) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        drain();
        if (output_.size() > from && output_.find(text, from) != std::string::npos)
            return testing::AssertionSuccess();
        if (secondsSince(start) >= seconds)
            break;
        pause(0.05);
    }
    const std::string tail = output_.substr(output_.size() > 300 ? output_.size() - 300 : 0);
    return testing::AssertionFailure() << "no \"" << text << "\" after byte " << from << " within "
                                       << seconds << " s; the output ends: \"" << tail << "\"";
}

int AppProcess::waitForExit(double seconds) {
    const auto start = std::chrono::steady_clock::now();
    while (secondsSince(start) < seconds) {
        if (!running()) {
            drain();
            return status_;
        }
        pause(0.05);
    }
    return -1;
}

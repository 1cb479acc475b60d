// The program as a native Wayland client (FLTK 1.4's default where a compositor runs) of a real
// compositor that the test starts: Weston, on the test's X server through its X11 backend, which
// gives it a seat (a pointer and a keyboard) as a desktop has. The program gets no X display, so
// it cannot fall back to X11.

#include "E2E.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#ifndef LOOPLINE_WESTON
#error "LOOPLINE_WESTON must name the weston program"
#endif

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// The desktop entry's id, its file name without ".desktop": what the dock matches.
std::string desktopEntryId() {
    std::string name = LOOPLINE_DESKTOP_ENTRY;
    name = name.substr(name.rfind('/') + 1);
    return name.substr(0, name.size() - 8);
}

}  // namespace

class WaylandE2E : public testing::TestWithParam<int> {
protected:
    void SetUp() override {
        char dir[] = "/tmp/loopline-wayland-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        runtime = dir;
        const std::string scale = std::to_string(GetParam());
        // Its log records every request of the protocol: the title and the application id.
        weston = std::make_unique<AppProcess>(
            std::vector<std::string>{"-c", "exec " LOOPLINE_WESTON " --backend=x11 --renderer=pixman"
                                            " --width=1100 --height=700 --scale=" + scale +
                                            " --socket=wayland-test --debug --idle-time=0"
                                            " --logger-scopes=proto --log=" + runtime +
                                            "/weston.log 2>/dev/null"},
            "sh", std::vector<std::string>{"XDG_RUNTIME_DIR=" + runtime});
        ASSERT_TRUE(waitUntil([&] { return exists(runtime + "/wayland-test"); }))
            << "Weston did not start";
    }
    void TearDown() override {
        app.reset();
        weston.reset();
        std::system(("rm -rf " + shellQuote(runtime)).c_str());
    }

    // The program with only the compositor to talk to; its standard error kept in a file.
    void startProgram() {
        app = std::make_unique<AppProcess>(
            std::vector<std::string>{"-c", "exec \"$0\" 2>" + shellQuote(runtime + "/stderr"),
                                     LOOPLINE_BINARY},
            "sh",
            std::vector<std::string>{"XDG_RUNTIME_DIR=" + runtime, "WAYLAND_DISPLAY=wayland-test",
                                     "DISPLAY="});
    }

    // A screenshot of the compositor's output, taken through the compositor.
    Screenshot compositorShot() {
        const std::string file = runtime + "/shot.png";
        const std::string command = "cd " + shellQuote(runtime) +
                                    " && rm -f wayland-screenshot-*.png && XDG_RUNTIME_DIR=" +
                                    shellQuote(runtime) +
                                    " WAYLAND_DISPLAY=wayland-test weston-screenshooter "
                                    ">/dev/null 2>&1 && mv wayland-screenshot-*.png shot.png";
        return std::system(command.c_str()) == 0 ? Screenshot::read(file) : Screenshot();
    }

    template <typename Condition>
    static bool waitUntil(Condition done, double seconds = 20) {
        const auto start = std::chrono::steady_clock::now();
        while (!done()) {
            if (std::chrono::steady_clock::now() - start > std::chrono::duration<double>(seconds))
                return false;
            pause(0.1);
        }
        return true;
    }

    std::string runtime;
    std::unique_ptr<AppProcess> weston;
    std::unique_ptr<AppProcess> app;
};

TEST_P(WaylandE2E, WindowHasItsTitleAndAppIdDrawsItsFirstFrameAndEndsCleanly) {
    const int s = GetParam();
    startProgram();
    const std::string title = "set_title(\"" + std::string(mainWindowTitle) + "\")";
    const std::string appId = "set_app_id(\"" + desktopEntryId() + "\")";
    EXPECT_TRUE(waitUntil([&] {
        const std::string log = fileText(runtime + "/weston.log");
        return log.find(title) != std::string::npos && log.find(appId) != std::string::npos;
    })) << "no " << title << " and " << appId << " in Weston's protocol log";

    // The first frame, at the output's resolution: the view's background and floor, each as
    // large as at scale 1 times s squared.
    int background = 0, floor = 0;
    Screenshot shot;
    EXPECT_TRUE(waitUntil([&] {
        shot = compositorShot();
        background = floor = 0;
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x) {
                const Rgb c = shot.at(x, y);
                background += near(c, {0, 0, 77}, 2);
                floor += near(c, floorGrey, 2) || near(c, floorBlue, 2);
            }
        return background > 100000 * s * s && floor > 60000 * s * s;
    })) << background << " background and " << floor << " floor pixels in a " << shot.width
        << " x " << shot.height << " screenshot";

    // Escape, typed on the compositor's window, reaches the program and ends it with status 1.
    xdotool("mousemove 500 300 key Escape");
    EXPECT_EQ(app->waitForExit(20), 1);
    EXPECT_EQ(fileText(runtime + "/stderr"), "");
}

INSTANTIATE_TEST_SUITE_P(Scales, WaylandE2E, testing::Values(1, 2));

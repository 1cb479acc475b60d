// loopline.exe, cross-built for Windows, run by Wine on the test's X display and driven from
// here as the Linux end-to-end tests drive the Linux program. Wine puts the window's client area
// where the program asks, at (100, 100), so the same camera arithmetic finds the scene.

#include "E2E.h"
#include "Steps.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#ifndef LOOPLINE_WINDOWS_EXE
#error "LOOPLINE_WINDOWS_EXE must name the loopline.exe under test"
#endif

namespace {

// What `wine --version` prints, e.g. "wine-8.0 (Debian 8.0~repack-4)".
std::string wineVersion() {
    std::string text;
    if (FILE* p = popen("wine --version 2>/dev/null", "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, p))
            text += buffer;
        pclose(p);
    }
    return text;
}

int wineMajor() {
    const std::string v = wineVersion();
    return v.rfind("wine-", 0) == 0 ? std::atoi(v.c_str() + 5) : -1;
}

class WineE2E : public E2E {
protected:
    void SetUp() override { startWith({}); }
    // The installer's test points LOOPLINE_WINDOWS_EXE at the installed copy.
    static std::string programUnderTest() {
        const char* installed = std::getenv("LOOPLINE_WINDOWS_EXE");
        return installed && *installed ? installed : LOOPLINE_WINDOWS_EXE;
    }
    void startWith(const std::vector<std::string>& args, const std::string& exe = programUnderTest()) {
        std::vector<std::string> command{exe};
        command.insert(command.end(), args.begin(), args.end());
        app = std::make_unique<AppProcess>(command, "wine");
        ASSERT_TRUE(waitForPanel());
    }

    // The window found by its title and its panel drawn ("Lighting"'s light lit): the first frame,
    // on a screen of `scale` pixels per window unit.
    testing::AssertionResult waitForPanel(double seconds = 60, double scale = 1) {
        const auto start = std::chrono::steady_clock::now();
        const std::string search =
            "search --onlyvisible --name " + shellQuote(std::string("^") + mainWindowTitle + "$");
        const auto lit = [](Rgb c) { return c.r > 200 && c.g > 200 && c.b < 80; };
        bool found = false;
        Rgb light{-1, -1, -1};
        while (std::chrono::steady_clock::now() - start < std::chrono::duration<double>(seconds)) {
            if (!app->running())
                return testing::AssertionFailure() << "wine ended before the window showed";
            found = xdotool(search) == 0;
            if (found) {
                const Screenshot shot = Screenshot::take();
                light = shot.at(static_cast<int>(screenX(16) * scale),
                                static_cast<int>(screenY(252) * scale));
                if (!shot.empty() && lit(light))
                    return testing::AssertionSuccess();
            }
            pause(0.2);
        }
        return testing::AssertionFailure()
               << "after " << seconds << " s: window " << (found ? "found" : "not found")
               << ", \"Lighting\"'s light " << describe(light);
    }

    // The program at work: a press on the empty floor prints its trace; Escape ends it with 1.
    void expectFloorPressThenEscapeEndsWithOne() {
        EXPECT_TRUE(pressOnTheEmptyFloor(*app, camera));
        expectEscapeEndsWithOne(*app);
    }

    // The program's output with Windows' CR LF line ends made LF.
    std::string trace() {
        std::string out = app->output();
        std::string plain;
        for (char c : out)
            if (c != '\r')
                plain += c;
        return plain;
    }
};

}  // namespace

TEST_F(WineE2E, PressesOnTheFloorAndOnAPointPrintTheirTraces) {
    ASSERT_TRUE(pressOnTheEmptyFloor(*app, camera));
    // P2 (index 1) under the mouse, the track through its cube.
    const auto p2 = camera.screenPosition(-2, 0.35, 2);
    moveTo(p2[0], p2[1]);
    xdotool("mousedown 1");
    ASSERT_TRUE(app->waitForOutput("name 1"));
    xdotool("mouseup 1");
    EXPECT_EQ(trace(), "Hit 0 objects\n!Hit 2 objects\n!hit 0 name 1\n");
}

TEST_F(WineE2E, ADraggedPointIsPickedWhereItNowIs) {
    // P3 dragged across the floor at its height, in small steps once the press has been taken.
    const auto from = camera.screenPosition(-2, 0.35, -2);
    const std::array<int, 2> to = {from[0] - 60, from[1] + 40};
    drag(*app, from, to, false, "name 2");
    std::array<double, 3> moved;
    const auto cube = cubeAfterPlainDrag(camera, to, &moved);
    const std::size_t before = app->output().size();
    moveTo(cube[0], cube[1]);
    xdotool("mousedown 1");
    EXPECT_TRUE(app->waitForOutput("name 2", before))
        << "no pick of P3 at " << moved[0] << ", " << moved[2];
    xdotool("mouseup 1");
    // And nothing of it is left where it was.
    const std::size_t after = app->output().size();
    moveTo(from[0], from[1]);
    xdotool("click 1");
    // The program writes a pick's whole trace at once.
    ASSERT_TRUE(app->waitForOutput("objects", after));
    EXPECT_EQ(app->output().find("name 2", after), std::string::npos) << trace();
}

// The window shows the program's icon: Wine hands the icons the program gives its window to X.
TEST_F(WineE2E, WindowCarriesTheIcon) {
    const unsigned long id = findWindow(mainWindowTitle);
    ASSERT_NE(id, 0u);
    const std::vector<IconImage> icons = windowIcons(id);
    ASSERT_FALSE(icons.empty()) << "no _NET_WM_ICON";
    for (const IconImage& image : icons)
        expectIconDrawing(image);
}

TEST_F(WineE2E, ArgumentsAreIgnoredAndEscapeEndsWithStatusOne) {
    // The toolkit's own options and a file name change nothing: the panel is where it always is
    // (waitForPanel looks there) and a press on the floor still prints its trace.
    app.reset();
    startWith({"-geometry", "200x100+0+0", "-iconic", "C:\\no\\such\\file.txt", ""});
    expectFloorPressThenEscapeEndsWithOne();
}

// Wine 8 (Debian 12) shows an OpenGL window inside another window as black on Xvfb, though it
// renders it (the frame read back in the GL-context suite is right); Wine 10 (Debian 13) shows it.
TEST_F(WineE2E, FirstFrameOnTheScreenWhereThisWineShowsIt) {
    const int major = wineMajor();
    ASSERT_GT(major, 0) << wineVersion();
    Screenshot shot;
    const auto corner = [](const Screenshot& s) { return s.at(screenX(240), screenY(30)); };
    if (major <= 8) {
        ASSERT_TRUE(waitForShot([&](const Screenshot& s) { return near(corner(s), {0, 0, 0}, 0); },
                                shot, 5))
            << wineVersion() << " shows the view now: " << describe(corner(shot));
        return;
    }
    ASSERT_TRUE(waitForShot([&](const Screenshot& s) { return near(corner(s), background, 2); },
                            shot))
        << describe(corner(shot));
    shot.save("wine-startup");
    const auto blue = camera.screenPosition(-8 + 1.6 * 5.5, 0, -8 + 1.6 * 7.5);
    const auto grey = camera.screenPosition(-8 + 1.6 * 6.5, 0, -8 + 1.6 * 7.5);
    EXPECT_TRUE(near(shot.at(blue[0], blue[1]), floorBlue, 2)) << describe(shot.at(blue[0], blue[1]));
    EXPECT_TRUE(near(shot.at(grey[0], grey[1]), floorGrey, 2)) << describe(shot.at(grey[0], grey[1]));
    for (const auto& p : {std::array<double, 3>{-2, 0.1, 2}, {-2, 0.1, -2}, {2, 0.1, -2}}) {
        const auto at = camera.screenPosition(p[0], p[1] + 0.25, p[2]);
        EXPECT_TRUE(greenish(shot.at(at[0], at[1])))
            << "point " << p[0] << "," << p[2] << ": " << describe(shot.at(at[0], at[1]));
    }
}

// DLL planting: a DLL named like one the program imports, lying beside it (say, in a Downloads
// folder), with Wine told to search as Windows does for it (the program's folder first). The
// planted DLL creates a mark file when it is loaded. A control program that imports opengl32 at
// start-up, as loopline.exe once did, loads it; loopline.exe must never load it, and must work.
TEST_F(WineE2E, APlantedOpenGlBesideTheProgramIsNeverLoaded) {
    app.reset();
    char folder[] = "/tmp/loopline-planting-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string dir = folder, mark = dir + "/planted-dll-was-loaded";
    const std::string overrides = std::getenv("WINEDLLOVERRIDES") ? std::getenv("WINEDLLOVERRIDES") : "";
    // Whatever the outcome: the overrides as they were, and the folder gone.
    struct Restore {
        std::string dir, overrides;
        ~Restore() {
            setenv("WINEDLLOVERRIDES", overrides.c_str(), 1);
            if (std::system(("rm -rf " + shellQuote(dir)).c_str()) != 0)
                std::fprintf(stderr, "could not remove %s\n", dir.c_str());
        }
    } restore{dir, overrides};
    const auto copy = [&](const std::string& from, const std::string& name) {
        return std::system(("cp " + shellQuote(from) + " " + shellQuote(dir + "/" + name)).c_str());
    };
    ASSERT_EQ(copy(LOOPLINE_PLANTED_DLL, "opengl32.dll"), 0);
    ASSERT_EQ(copy(LOOPLINE_PLANTING_CONTROL, "control.exe"), 0);
    ASSERT_EQ(copy(programUnderTest(), "loopline.exe"), 0);
    setenv("WINEDLLOVERRIDES", (overrides + ";opengl32=n,b").c_str(), 1);
    setenv("LOOPLINE_PLANTED_MARK", ("Z:" + mark).c_str(), 1);
    const auto planted = [&] { return access(mark.c_str(), F_OK) == 0; };

    {
        AppProcess control({dir + "/control.exe"}, "wine");
        EXPECT_EQ(control.waitForExit(60), 0) << control.output();
        EXPECT_TRUE(planted()) << "the control program did not load the planted DLL: this Wine "
                                  "does not search the program's folder, and the test shows nothing";
    }
    std::remove(mark.c_str());

    startWith({}, dir + "/loopline.exe");
    expectFloorPressThenEscapeEndsWithOne();
    EXPECT_FALSE(planted()) << "loopline.exe loaded the opengl32.dll planted beside it";
}

// Windows' display scaling (the LogPixels setting: 144 dots per inch is 150 %, 192 is 200 %): the
// program declares itself aware of it, so Windows does not stretch its bitmap; FLTK then asks
// the monitor's resolution (a call Wine's relay trace shows) and draws everything that much
// larger, and a press on P2 where it is drawn picks it.
class ScaledWineE2E : public WineE2E, public testing::WithParamInterface<int> {
protected:
    void SetUp() override {}
    void TearDown() override {
        app.reset();
        reg("delete 'HKCU\\Control Panel\\Desktop' /v LogPixels /f");
        reg("delete 'HKCU\\Software\\Wine\\Debug' /v RelayInclude /f");
        restartWine();
    }
    static int reg(const std::string& args) {
        return std::system(("wine reg " + args + " >/dev/null 2>&1").c_str());
    }
    // Wine reads the resolution when its server starts: a new one, told to stay as the run's was.
    // Ended by SIGTERM, the old one first writes the registry out.
    static void restartWine() {
        EXPECT_EQ(std::system("wineserver -k15 >/dev/null 2>&1; wineserver -w; "
                              "wineserver -p >/dev/null 2>&1"),
                  0);
    }
};

TEST_P(ScaledWineE2E, DeclaresItselfAwareIsScaledAndPicksWhereThePointerIs) {
    const double s = GetParam() / 96.0;
    ASSERT_EQ(reg("add 'HKCU\\Control Panel\\Desktop' /v LogPixels /t REG_DWORD /d " +
                  std::to_string(GetParam()) + " /f"), 0);
    ASSERT_EQ(reg("add 'HKCU\\Software\\Wine\\Debug' /v RelayInclude /d shcore.GetDpiForMonitor /f"), 0);
    restartWine();
    char file[] = "/tmp/loopline-wine-relay-XXXXXX";
    const int fd = mkstemp(file);
    ASSERT_GE(fd, 0);
    close(fd);
    const std::string relay = file;
    app = std::make_unique<AppProcess>(
        std::vector<std::string>{"-c", "WINEDEBUG=+relay exec wine \"$0\" 2>" + shellQuote(relay),
                                 programUnderTest()},
        "sh");
    ASSERT_TRUE(waitForPanel(60, s));
    std::ifstream in(relay);
    std::ostringstream calls;
    calls << in.rdbuf();
    std::remove(relay.c_str());
    EXPECT_NE(calls.str().find("Call shcore.GetDpiForMonitor"), std::string::npos)
        << "FLTK did not ask the monitor's resolution: it is not aware of the scaling";

    const unsigned long id = findWindow(mainWindowTitle);
    ASSERT_NE(id, 0u);
    const WindowGeometry g = windowGeometry(id);
    // The window with the frame Wine draws itself: as wide as the scaled client area and more.
    EXPECT_GE(g.width, static_cast<int>(900 * s));
    EXPECT_LE(g.width, static_cast<int>(900 * s) + 20);

    camera.scale = s;
    const auto p2 = camera.screenPosition(-2, 0.35, 2);
    moveTo(p2[0], p2[1]);
    xdotool("mousedown 1");
    EXPECT_TRUE(app->waitForOutput("name 1"));
    xdotool("mouseup 1");
    EXPECT_EQ(trace(), "Hit 2 objects\n!hit 0 name 1\n");
}

INSTANTIATE_TEST_SUITE_P(LogPixels, ScaledWineE2E, testing::Values(144, 192));

#include "E2E.h"
#include "Steps.h"

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

using StartupE2E = E2E;

namespace {

void expectMainWindowAt100With900By525() {
    const unsigned long id = findWindow(mainWindowTitle);
    ASSERT_NE(id, 0u) << "no window titled " << mainWindowTitle;
    const WindowGeometry g = windowGeometry(id);
    EXPECT_EQ(g.x, 100);
    EXPECT_EQ(g.y, 100);
    EXPECT_EQ(g.width, 900);
    EXPECT_EQ(g.height, 525);
}

}  // namespace

TEST_F(StartupE2E, WindowTitleAndGeometry) {
    expectMainWindowAt100With900By525();
}

// Desktops match a window to its menu entry by WM_CLASS and show the window's own icon.
TEST_F(StartupE2E, WindowCarriesTheDesktopEntrysClassAndAnIcon) {
    const unsigned long id = findWindow(mainWindowTitle);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(windowProperty(id, "WM_CLASS"), "WM_CLASS = \"loopline\", \"Loopline\"");
    std::ifstream entry(LOOPLINE_DESKTOP_ENTRY);
    std::string line, startupClass;
    while (std::getline(entry, line))
        if (line.rfind("StartupWMClass=", 0) == 0)
            startupClass = line.substr(15);
    EXPECT_EQ(startupClass, "loopline") << "in " << LOOPLINE_DESKTOP_ENTRY;

    // Every size the build renders, once each, with the drawing's pixels.
    std::set<unsigned long> sizes;
    for (const IconImage& image : windowIcons(id)) {
        EXPECT_TRUE(sizes.insert(image.size).second) << image.size << " x " << image.size << " twice";
        expectIconDrawing(image);
    }
    EXPECT_EQ(sizes, (std::set<unsigned long>{16, 32, 48, 64}));
}

TEST_F(StartupE2E, FirstFrameShowsBackgroundFloorAndControlPoints) {
    const Screenshot shot = Screenshot::take();
    ASSERT_FALSE(shot.empty());
    shot.save("startup");
    // Background above the horizon.
    EXPECT_TRUE(near(shot.at(screenX(240), screenY(30)), background, 2))
        << describe(shot.at(screenX(240), screenY(30)));
    // A greyish-blue tile (i + j even) and a grey one (odd), near the camera.
    const auto blue = camera.screenPosition(-8 + 1.6 * 5.5, 0, -8 + 1.6 * 7.5);
    const auto grey = camera.screenPosition(-8 + 1.6 * 6.5, 0, -8 + 1.6 * 7.5);
    EXPECT_TRUE(near(shot.at(blue[0], blue[1]), floorBlue, 2)) << describe(shot.at(blue[0], blue[1]));
    EXPECT_TRUE(near(shot.at(grey[0], grey[1]), floorGrey, 2)) << describe(shot.at(grey[0], grey[1]));
    // The points of the curve are green cubes; P1 stands under the train at t = 0.
    const double points[3][3] = {{-2, 0.1, 2}, {-2, 0.1, -2}, {2, 0.1, -2}};
    for (const auto& p : points) {
        const auto at = camera.screenPosition(p[0], p[1] + 0.25, p[2]);
        EXPECT_TRUE(greenish(shot.at(at[0], at[1])))
            << "point " << p[0] << "," << p[2] << ": " << describe(shot.at(at[0], at[1]));
    }
    // The light marker is red.
    const auto light = camera.screenPosition(5, 7.25, 5);
    EXPECT_TRUE(reddish(shot.at(light[0], light[1]))) << describe(shot.at(light[0], light[1]));
}

TEST_F(StartupE2E, PanelReadsAsLabelledWithWholeBrowserLists) {
    const Screenshot shot = Screenshot::take();
    ASSERT_FALSE(shot.empty());
    // Every label of the panel, read off the screen: the left column and the bottom row.
    const std::string panel = readText(shot, screenX(0), screenY(0), 305, 525, 3, 11);
    for (const char* label : {"Add to Curve", "Curve Type", "Shadow Type", "Lighting", "Velocity",
                              "Constant Velocity", "Train View", "Play"})
        EXPECT_NE(panel.find(label), std::string::npos) << label << " not read in:\n" << panel;
    // "Constant Velocity" contains "Velocity": read the slider's own label where it stands, in
    // the strip between the slider (y 415 to 440) and the button below it (from y 460).
    std::string velocity = readText(shot, screenX(10), screenY(441), 200, 18, 4, 7);
    velocity.erase(velocity.find_last_not_of(" \n\f") + 1);
    EXPECT_EQ(velocity, "Velocity") << "under the velocity slider";
    // Each browser's lines from its first row on, one 17-pixel row each (the toolkit's 14-pixel
    // font), starting 2 pixels inside the box: a list scrolled by even a few pixels cuts them.
    const struct {
        int top;
        const char* lines[3];
    } browsers[] = {{40, {"Linear", "Cardinal", "B-Spline"}},
                    {140, {"None", "Hack Drop", "Hack Point Light"}}};
    for (const auto& browser : browsers)
        for (int row = 0; row < 3; ++row) {
            std::string line =
                readText(shot, screenX(12), screenY(browser.top + 2 + 17 * row), 196, 17, 4, 7);
            line.erase(line.find_last_not_of(" \n\f") + 1);
            EXPECT_EQ(line, browser.lines[row]) << "row " << row + 1 << " of the browser at y "
                                                << browser.top;
        }
}

TEST_F(StartupE2E, EscapeEndsTheProcessWithStatusOne) {
    expectEscapeEndsWithOne(*app);
}

TEST_F(StartupE2E, ClosingTheWindowEndsTheProcessWithStatusOne) {
    const unsigned long id = findWindow(mainWindowTitle);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(requestClose(id));
    EXPECT_EQ(app->waitForExit(), 1);
    EXPECT_EQ(app->output(), "");
}

namespace {

// Argument lists a user or a script might hand the program: all must be ignored.
std::vector<std::vector<std::string>> hostileArguments() {
    std::vector<std::string> thousands;
    for (int k = 0; k < 5000; ++k)
        thousands.push_back(k % 3 == 0 ? "" : "-arg" + std::to_string(k));
    return {
        {"", "", ""},
        // The toolkit's own options, which the program must not pass to it.
        {"-geometry", "200x100+0+0", "-display", ":12345", "-name", "x", "-title", "other",
         "-iconic", "-bg", "red", "-fg", "blue", "-scheme", "plastic", "-nokbd", "-dnd",
         "-tooltips", "--help", "-h"},
        {"\xff\xfe\x80 not utf-8 \xc3\x28", "\xed\xa0\x80", "\x1b[31mred\x1b[0m"},
        {std::string(120000, 'x')},
        thousands,
    };
}

}  // namespace

TEST_F(StartupE2E, ArgumentsChangeNothing) {
    const Screenshot plain = Screenshot::take();
    for (const auto& args : hostileArguments()) {
        app.reset();
        start(args);
        expectMainWindowAt100With900By525();
        const Screenshot withArgs = Screenshot::take();
        EXPECT_EQ(differingInView(plain, withArgs, 0), 0)
            << "the view looks different with " << args.size() << " arguments";
        moveTo(screenX(150), screenY(350));
        xdotool("key Escape");
        EXPECT_EQ(app->waitForExit(), 1) << args.size() << " arguments";
    }
}

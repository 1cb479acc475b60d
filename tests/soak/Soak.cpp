// A seeded soak of the real program: thousands of random user actions through xdotool, each
// followed by a ping (a click in the view whose pick trace must arrive within a second). It fails
// on a crash, a sanitizer report, a hang, or a wrong end: the light marker must still be pickable
// where it is and Escape must still end the process with status 1.
//
//   loopline_soak [--seed N] [--actions N]
//
// The seed is printed first; the same seed replays the same actions.
//
// Drags pause between their motions and before the release: the toolkit merges motion events that
// are queued together and delivers the merged one after a release queued with them, as a plain
// move, so an unpaced drag would lose its last step.

#include "AppProcess.h"
#include "Camera.h"
#include "Interaction.h"
#include "Screenshot.h"

#include <GL/glu.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Vec = std::array<double, 3>;

// The view on the screen.
const int viewLeft = layout::windowX + layout::viewX, viewTop = layout::windowY + layout::viewY,
          viewWidth = layout::viewWidth, viewHeight = layout::viewHeight;
const Vec center = {0, 3, 0};
// The marker is only dragged within this distance of the center (and above the floor), where
// every orbit of the camera still sees it.
const double markerRadius = 4;
const int markerIndex = 4;
const int maxAdds = 250;
// Pauses inside a drag, as xdotool sleep commands.
const char* const stepPause = " sleep 0.03";
const char* const releasePause = " sleep 0.12";

std::string at(int x, int y) {
    return std::to_string(x) + " " + std::to_string(y);
}

double distance(const Vec& a, const Vec& b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}

class Soak {
public:
    Soak(unsigned seed, int actions) : seed_(seed), actions_(actions), rng_(seed) {}

    int run() {
        std::printf("soak: seed %u, %d actions\n", seed_, actions_);
        std::fflush(stdout);
        if (!app_.waitForWindow())
            return fail("the main window did not appear");
        for (index_ = 0; index_ < actions_; ++index_) {
            act();
            if (!app_.running())
                return fail("the program ended (status " + std::to_string(app_.waitForExit(1)) +
                            ")");
            if (!ping())
                return fail("no answer within a second");
            if ((index_ + 1) % 250 == 0) {
                std::printf("soak: %d actions\n", index_ + 1);
                std::fflush(stdout);
            }
        }
        lastAction_ = "final check";
        if (!markerStillPicks())
            return fail("the light marker could not be found and picked");
        xdotool("mousemove " + at(250, 450) + " key Escape");
        const int status = app_.waitForExit(10);
        if (status != 1)
            return fail("Escape ended with status " + std::to_string(status) + ", not 1");
        std::printf("soak: seed %u survived %d actions (%d points added)\n", seed_, actions_,
                    adds_);
        return 0;
    }

private:
    int fail(const std::string& why) {
        Screenshot::take().save("soak-failure");
        std::printf("soak: FAILED at action %d of %d (%s): %s\n", index_ + 1, actions_,
                    lastAction_.c_str(), why.c_str());
        std::printf("soak: model: eye %s, marker %s, train view %s\n", describe(eye_).c_str(),
                    describe(marker_).c_str(), trainView_ ? "on" : "off");
        std::printf("soak: replay with: loopline_soak --seed %u --actions %d\n", seed_, actions_);
        const std::string& out = app_.output();
        std::printf("soak: last program output: %s\n",
                    out.substr(out.size() > 300 ? out.size() - 300 : 0).c_str());
        return 1;
    }

    static std::string describe(const Vec& v) {
        std::ostringstream s;
        s << "(" << v[0] << ", " << v[1] << ", " << v[2] << ")";
        return s.str();
    }

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int viewX() { return uniform(viewLeft + 2, viewLeft + viewWidth - 3); }
    int viewY() { return uniform(viewTop + 2, viewTop + viewHeight - 3); }

    std::size_t traceCount() {
        const std::string& out = app_.output();
        std::size_t n = 0;
        for (std::size_t p = out.find("Hit "); p != std::string::npos; p = out.find("Hit ", p + 1))
            ++n;
        return n;
    }

    // Waits up to a second for the pick trace of a press; returns the selected registry index,
    // or -1 when nothing selectable was under the mouse (or -2 when no trace came).
    int awaitPick(std::size_t tracesBefore) {
        const auto start = std::chrono::steady_clock::now();
        while (traceCount() <= tracesBefore) {
            if (std::chrono::steady_clock::now() - start > std::chrono::seconds(1))
                return -2;
            pause(0.005);
        }
        const std::string& out = app_.output();
        const std::size_t last = out.rfind("Hit ");
        const std::size_t name = out.rfind(" name ");
        if (name == std::string::npos || name < last)
            return -1;
        const int index = std::atoi(out.c_str() + name + 6);
        return index == 5 || index == 6 ? -1 : index;  // the curve and the train never select
    }

    // Polls the screen until ok() holds, for up to five seconds.
    static bool awaitScreen(const std::function<bool()>& ok) {
        const auto start = std::chrono::steady_clock::now();
        while (!ok()) {
            if (std::chrono::steady_clock::now() - start > std::chrono::seconds(5))
                return false;
            pause(0.1);
        }
        return true;
    }

    // A click in the view's corner; its trace proves the program answers.
    bool ping() {
        const std::size_t before = traceCount();
        xdotool("mousemove " + at(viewLeft + 3, viewTop + 3) + " click 1");
        return awaitPick(before) != -2;
    }

    void act() {
        const int kind = uniform(0, 99);
        if (kind < 22)
            leftDrag(false);
        else if (kind < 32)
            leftDrag(true);
        else if (kind < 40)
            leftClick();
        else if (kind < 50)
            rightDrag();
        else if (kind < 56)
            middleDrag();
        else if (kind < 66)
            addToCurve();
        else if (kind < 72)
            toggle();
        else if (kind < 80)
            browser();
        else if (kind < 88)
            slider();
        else
            key();
    }

    // A press in the view, a path of motion, a release. When the marker is grabbed its moves are
    // tracked, and only taken while they keep it near the center.
    void leftDrag(bool ctrl) {
        lastAction_ = ctrl ? "ctrl left drag" : "left drag";
        const int px = viewX(), py = viewY();
        const std::size_t before = traceCount();
        xdotool("mousemove " + at(px, py) + (ctrl ? " keydown ctrl" : "") + " mousedown 1");
        const int picked = awaitPick(before);
        const bool holdingMarker = picked == markerIndex;
        int x = px, y = py;
        const int steps = uniform(1, 8);
        const int tx = chance(0.1) ? uniform(0, 1279) : viewX();
        const int ty = chance(0.1) ? uniform(0, 1023) : viewY();
        std::string path;
        for (int k = 1; k <= steps; ++k) {
            const int nx = px + (tx - px) * k / steps, ny = py + (ty - py) * k / steps;
            if (nx == x && ny == y)
                continue;
            if (holdingMarker) {
                Vec moved;
                if (trainView_ || !markerMove(nx, ny, ctrl, &moved))
                    continue;
                marker_ = moved;
            }
            path += " mousemove " + at(nx, ny) + stepPause;
            x = nx;
            y = ny;
        }
        xdotool(path + releasePause + " mouseup 1" + (ctrl ? " keyup ctrl" : ""));
    }

    // Where the program's drag puts the marker for the mouse at screen (sx, sy); false when that
    // is too far from the center.
    bool markerMove(int sx, int sy, bool ctrl, Vec* moved) const {
        const Matrix4 modelview = lookAtMatrix(eye_.data(), center.data());
        const Matrix4 projection =
            perspectiveMatrix(50, static_cast<double>(viewWidth) / viewHeight);
        const GLint viewport[4] = {0, 0, viewWidth, viewHeight};
        const double wx = sx - viewLeft, wy = viewHeight - (sy - viewTop) - 1;
        Vec n, f;
        if (!gluUnProject(wx, wy, 0.25, modelview.data(), projection.data(), viewport, &n[0],
                          &n[1], &n[2]) ||
            !gluUnProject(wx, wy, 0.75, modelview.data(), projection.data(), viewport, &f[0],
                          &f[1], &f[2]))
            return false;
        Vec r;
        moveOnPlane(n[0], n[1], n[2], f[0], f[1], f[2], marker_[0], marker_[1], marker_[2], &r[0],
                    &r[1], &r[2], ctrl ? 1 : 0);
        *moved = r;
        // Above the floor too, which would hide it from most of the orbit.
        return distance(r, center) <= markerRadius && r[1] >= 0.5;
    }

    void leftClick() {
        lastAction_ = "left click";
        xdotool("mousemove " + at(viewX(), viewY()) + " click 1");
    }

    void rightDrag() {
        lastAction_ = "right drag";
        const int px = viewX(), py = viewY();
        const int tx = chance(0.2) ? px + uniform(-5, 5) : viewX();
        const int ty = chance(0.2) ? py + uniform(-5, 5) : viewY();
        orbit(px, py, tx, ty, uniform(1, 6));
    }

    // A right drag; the eye follows the program's own orbit from the eye at the press.
    void orbit(int px, int py, int tx, int ty, int steps) {
        std::string command = "mousemove " + at(px, py) + " mousedown 3";
        for (int k = 1; k <= steps; ++k)
            command += " mousemove " + at(px + (tx - px) * k / steps, py + (ty - py) * k / steps) +
                       stepPause;
        xdotool(command + releasePause + " mouseup 3");
        Vec e;
        orbitEye(tx - px, ty - py, center[0], center[1], center[2], eye_[0], eye_[1], eye_[2],
                 &e[0], &e[1], &e[2]);
        eye_ = e;
    }

    void middleDrag() {
        lastAction_ = "middle drag";
        xdotool("mousemove " + at(viewX(), viewY()) + " mousedown 2 mousemove " +
                at(viewX(), viewY()) + releasePause + " mouseup 2");
    }

    void addToCurve() {
        lastAction_ = "Add to Curve";
        if (adds_ >= maxAdds)
            return leftClick();
        ++adds_;
        xdotool("mousemove " + at(160, 122) + " click 1");
    }

    void toggle() {
        struct Button {
            const char* name;
            int x, y;
        };
        static const Button buttons[] = {
            {"Play", 370, 602}, {"Train View", 210, 602}, {"Constant Velocity", 210, 572},
            {"Lighting", 160, 352}};
        const Button& b = buttons[uniform(0, 3)];
        lastAction_ = b.name;
        xdotool("mousemove " + at(b.x, b.y) + " click 1");
        if (b.x == 210 && b.y == 602)
            trainView_ = !trainView_;
    }

    void browser() {
        // Lines of "Curve Type" and "Shadow Type", and the empty space below them.
        static const int curveY[] = {149, 166, 183, 200};
        static const int shadowY[] = {246, 260, 277, 297};
        const bool curve = chance(0.5);
        const int line = uniform(0, 3);
        lastAction_ = std::string(curve ? "Curve Type" : "Shadow Type") + " line " +
                      std::to_string(line + 1);
        xdotool("mousemove " + at(uniform(115, 285), curve ? curveY[line] : shadowY[line]) +
                " click 1");
    }

    void slider() {
        const bool time = chance(0.6);
        lastAction_ = time ? "time slider" : "Velocity slider";
        const int y = time ? 602 : 527;
        const int left = time ? 410 : 110, right = time ? 790 : 310;
        const int from = uniform(left, right);
        const int kind = uniform(0, 2);
        // A click, or a drag past one of the ends.
        const int to = kind == 0 ? from : kind == 1 ? left - 60 : right + 60;
        xdotool("mousemove " + at(from, y) + " mousedown 1 mousemove " + at((from + to) / 2, y) +
                stepPause + " mousemove " + at(to, y) + releasePause + " mouseup 1");
    }

    void key() {
        // Everything but Escape (which quits) and space (which would toggle a focused button
        // behind the tracking's back).
        static const char* keys[] = {"a", "z", "1", "Tab", "Left", "Right", "Up", "Down", "Home",
                                     "End", "Page_Up", "Page_Down", "BackSpace", "Delete",
                                     "Return", "F1", "ctrl+a", "shift+Tab"};
        const char* k = keys[uniform(0, 17)];
        lastAction_ = std::string("key ") + k;
        const int x = chance(0.5) ? viewX() : uniform(100, 300);
        xdotool("mousemove " + at(x, uniform(110, 620)) + " key " + k);
    }

    // Orbits the eye back to where it started, from the tracked eye, in single-axis turns: a
    // turn in the x-y plane that brings the offset level, one in the x-z plane that gives it the
    // start's z, and one in the x-y plane again up to the start. Each turn is a drag of
    // angle / 0.005 pixels plus the dead zone, split in two where the screen is too short.
    void restoreInitialEye() {
        const Vec start = {5, 8, 14};
        const Vec target = {start[0] - center[0], start[1] - center[1], start[2] - center[2]};
        const double level = -std::atan2(eye_[1] - center[1], eye_[0] - center[0]);
        turn(0, level);
        const double x = eye_[0] - center[0], z = eye_[2] - center[2];
        const double across = std::sqrt(target[0] * target[0] + target[1] * target[1]);
        turn(std::atan2(target[2], across) - std::atan2(z, x), 0);
        turn(0, std::atan2(target[1], target[0]) - std::atan2(eye_[1] - center[1],
                                                              eye_[0] - center[0]));
    }

    // One orbit by the angles a (x-z plane) and b (x-y plane), as whole pixels.
    void turn(double a, double b) {
        auto pixels = [](double angle) {
            angle = std::remainder(angle, 2 * M_PI);
            const int d = static_cast<int>(std::lround(angle / 0.005));
            return d == 0 ? 0 : d + (d > 0 ? 5 : -5);
        };
        const int dx = pixels(a), dy = pixels(b);
        if (dx)
            orbit(640 - dx / 2, 500, 640 - dx / 2 + dx, 500, 4);
        if (dy) {
            // At most about 640 pixels: two drags of half the turn each, which add up.
            const int half = static_cast<int>(std::lround(std::remainder(b, 2 * M_PI) / 2 / 0.005));
            const int rest = static_cast<int>(std::lround(std::remainder(b, 2 * M_PI) / 0.005)) - half;
            for (int d : {half, rest})
                if (d)
                    orbit(655, 512 - d / 2, 655, 512 - d / 2 + d + (d > 0 ? 5 : -5), 4);
        }
    }

    // The marker's faces on the screen: the only red in the view (cyan while selected).
    static bool reddish(Rgb c) { return c.r > 90 && c.g < c.r / 2 && c.b < c.r / 2; }

    // The end: free camera, the marker found on the screen (orbiting until it shows), and a press
    // on it selects it. Up to four of the first points (lower registry indices, so they win the
    // pick) may be in the way: each is dragged aside and the press repeated.
    bool markerStillPicks() {
        // "Train View" off, seen on its light: first the state the actions left, then off.
        const auto trainViewLit = [] {
            return near(Screenshot::take().at(116, 602), {255, 255, 0}, 40);
        };
        if (!awaitScreen([&] { return trainViewLit() == trainView_; })) {
            std::printf("soak: \"Train View\" does not show %s\n", trainView_ ? "on" : "off");
            return false;
        }
        if (trainView_) {
            xdotool("mousemove " + at(210, 602) + " click 1");
            trainView_ = false;
            if (!awaitScreen([&] { return !trainViewLit(); })) {
                std::printf("soak: \"Train View\" stays on after a click\n");
                return false;
            }
        }
        restoreInitialEye();
        std::printf("soak: eye turned back to %s\n", describe(eye_).c_str());
        for (int attempt = 0; attempt < 40; ++attempt) {
            const Screenshot shot = Screenshot::take();
            long sx = 0, sy = 0;
            const int red = countInView(shot, [&](Rgb c, int x, int y) {
                if (!reddish(c))
                    return false;
                sx += x;
                sy += y;
                return true;
            });
            if (red < 6) {
                // Hidden (behind the floor or a cube): look from a little further round.
                orbit(655, 345, 655 + 105, 345 + (attempt % 2 ? 60 : -60), 3);
                pause(0.2);
                continue;
            }
            const int x = static_cast<int>(sx / red), y = static_cast<int>(sy / red);
            const std::size_t before = traceCount();
            xdotool("mousemove " + at(x, y) + " mousedown 1");
            const int picked = awaitPick(before);
            if (picked == markerIndex) {
                xdotool("mouseup 1");
                return true;
            }
            if (picked < 0 || picked > 3) {
                xdotool("mouseup 1");
                std::printf("soak: a press on the marker's pixels at %d, %d picked %d\n", x, y,
                            picked);
                return false;
            }
            xdotool(std::string(" mousemove ") + at(x + 40, y - 120) + stepPause + releasePause +
                    " mouseup 1");
            pause(0.2);
        }
        return false;
    }

    unsigned seed_;
    int actions_;
    std::mt19937 rng_;
    AppProcess app_;
    int index_ = 0;
    std::string lastAction_ = "start-up";
    Vec eye_ = {5, 8, 14};
    Vec marker_ = {5, 7, 5};
    bool trainView_ = false;
    int adds_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    unsigned seed = static_cast<unsigned>(
        std::chrono::system_clock::now().time_since_epoch().count() % 1000000007);
    int actions = 2000;
    for (int k = 1; k + 1 < argc; k += 2) {
        const std::string option = argv[k];
        if (option == "--seed")
            seed = static_cast<unsigned>(std::strtoul(argv[k + 1], nullptr, 10));
        else if (option == "--actions")
            actions = std::atoi(argv[k + 1]);
    }
    return Soak(seed, actions).run();
}

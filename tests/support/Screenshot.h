#pragma once

#include "Layout.h"

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int r, g, b;
};

// An 8-bit RGB screenshot of the whole X screen.
class Screenshot {
public:
    // Takes one with ImageMagick's `import`. Empty on failure.
    static Screenshot take();
    // Reads an image file in any format ImageMagick knows. Empty on failure.
    static Screenshot read(const std::string& file);
    bool empty() const { return width == 0; }
    Rgb at(int x, int y) const;
    // Saves a PNG copy of the main window (for people to look at) under the test build's
    // screenshots folder; scale: screen pixels per window unit.
    void save(const std::string& name, double scale = 1) const;

    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// The text Tesseract reads in a rectangle of the screenshot (screen coordinates), scaled up by
// `scale` first; psm is Tesseract's page segmentation mode (7: one line, 11: sparse text).
std::string readText(const Screenshot& shot, int x, int y, int w, int h, int scale, int psm);

bool near(Rgb a, Rgb b, int tolerance);
std::string describe(Rgb c);

// The pixels of the view on the screen that satisfy the predicate, on a screen of `scale` pixels
// per window unit.
template <typename Predicate>
int countInView(const Screenshot& shot, Predicate ok, double scale = 1) {
    using namespace layout;
    const auto px = [scale](int units) { return static_cast<int>(units * scale); };
    int n = 0;
    for (int y = px(windowY + viewY); y < px(windowY + viewY + viewHeight); ++y)
        for (int x = px(windowX + viewX); x < px(windowX + viewX + viewWidth); ++x)
            if (ok(shot.at(x, y), x, y))
                ++n;
    return n;
}

// The pixels of the view that differ by more than the tolerance between two screenshots.
int differingInView(const Screenshot& a, const Screenshot& b, int tolerance, double scale = 1);

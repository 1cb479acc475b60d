#pragma once

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
    bool empty() const { return width == 0; }
    Rgb at(int x, int y) const;
    // Saves a PNG copy (for people to look at) under the test build's screenshots folder.
    void save(const std::string& name) const;

    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// The text Tesseract reads in a rectangle of the screenshot (screen coordinates), scaled up by
// `scale` first; psm is Tesseract's page segmentation mode (7: one line, 11: sparse text).
std::string readText(const Screenshot& shot, int x, int y, int w, int h, int scale, int psm);

bool near(Rgb a, Rgb b, int tolerance);
std::string describe(Rgb c);

// The pixels of the view (670 x 470 at (320, 110) on the screen) that satisfy the predicate.
template <typename Predicate>
int countInView(const Screenshot& shot, Predicate ok) {
    int n = 0;
    for (int y = 110; y < 580; ++y)
        for (int x = 320; x < 990; ++x)
            if (ok(shot.at(x, y), x, y))
                ++n;
    return n;
}

// The pixels of the view that differ by more than the tolerance between two screenshots.
int differingInView(const Screenshot& a, const Screenshot& b, int tolerance);

// Polls screenshots until the pixel at (x, y) is within tolerance of the colour.
bool waitForPixel(int x, int y, Rgb colour, int tolerance, double seconds);

// Counts the pixels in the square of the given half-size around (x, y) that match the colour.
int countNear(const Screenshot& shot, int x, int y, int halfSize, Rgb colour, int tolerance);

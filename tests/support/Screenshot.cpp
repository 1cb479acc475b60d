#include "Screenshot.h"

#include "AppProcess.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#ifndef LOOPLINE_SHOTS_DIR
#define LOOPLINE_SHOTS_DIR "screenshots"
#endif

namespace {

// Reads an 8-bit binary PPM file, then removes it.
Screenshot readPpm(const std::string& path) {
    Screenshot shot;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> shot.width >> shot.height >> maxValue;
    in.get();
    if (magic == "P6" && maxValue == 255) {
        shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height * 3);
        in.read(reinterpret_cast<char*>(shot.pixels.data()),
                static_cast<std::streamsize>(shot.pixels.size()));
    } else {
        shot.width = shot.height = 0;
    }
    std::remove(path.c_str());
    return shot;
}

std::string ppmPath() { return "/tmp/loopline-shot-" + std::to_string(getpid()) + ".ppm"; }

}  // namespace

Screenshot Screenshot::take() {
    const std::string command = "import -window root -depth 8 ppm:" + ppmPath() + " 2>/dev/null";
    return std::system(command.c_str()) == 0 ? readPpm(ppmPath()) : Screenshot();
}

Screenshot Screenshot::read(const std::string& file) {
    const std::string command =
        "convert " + shellQuote(file) + " -depth 8 ppm:" + ppmPath() + " 2>/dev/null";
    return std::system(command.c_str()) == 0 ? readPpm(ppmPath()) : Screenshot();
}

Rgb Screenshot::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {-1, -1, -1};
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return {pixels[i], pixels[i + 1], pixels[i + 2]};
}

void Screenshot::save(const std::string& name, double scale) const {
    const std::string dir = LOOPLINE_SHOTS_DIR;
    const std::string ppm = dir + "/" + name + ".ppm";
    std::system(("mkdir -p '" + dir + "'").c_str());
    {
        std::ofstream out(ppm, std::ios::binary);
        out << "P6\n" << width << " " << height << "\n255\n";
        out.write(reinterpret_cast<const char*>(pixels.data()),
                  static_cast<std::streamsize>(pixels.size()));
    }
    using namespace layout;
    const auto px = [scale](int units) { return std::to_string(static_cast<int>(units * scale)); };
    const std::string window =
        px(windowWidth) + "x" + px(windowHeight) + "+" + px(windowX) + "+" + px(windowY);
    std::system(("convert '" + ppm + "' -crop " + window + " +repage '" + dir + "/" + name +
                 ".png' 2>/dev/null && rm -f '" + ppm + "'").c_str());
}

std::string readText(const Screenshot& shot, int x, int y, int w, int h, int scale, int psm) {
    const std::string base = "/tmp/loopline-ocr-" + std::to_string(getpid());
    {
        std::ofstream out(base + ".ppm", std::ios::binary);
        out << "P6\n" << shot.width << " " << shot.height << "\n255\n";
        out.write(reinterpret_cast<const char*>(shot.pixels.data()),
                  static_cast<std::streamsize>(shot.pixels.size()));
    }
    const std::string crop = std::to_string(w) + "x" + std::to_string(h) + "+" +
                             std::to_string(x) + "+" + std::to_string(y);
    const std::string command = "convert " + base + ".ppm -crop " + crop + " +repage -resize " +
                                std::to_string(scale * 100) + "% " + base + ".png && tesseract " +
                                base + ".png stdout --psm " + std::to_string(psm) +
                                " 2>/dev/null";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    std::remove((base + ".ppm").c_str());
    std::remove((base + ".png").c_str());
    return text;
}

bool near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

std::string describe(Rgb c) {
    std::ostringstream s;
    s << "(" << c.r << ", " << c.g << ", " << c.b << ")";
    return s.str();
}

int differingInView(const Screenshot& a, const Screenshot& b, int tolerance, double scale) {
    return countInView(
        a, [&](Rgb c, int x, int y) { return !near(c, b.at(x, y), tolerance); }, scale);
}

// Benchmarks of the editor's own work against the cost of GL itself, on the real GL (Mesa's
// software renderer under Xvfb):
//  - one evaluation of Curve::position and Curve::tangent per curve type at n = 4, 1,000 and
//    100,000 points (the cost must not grow with n);
//  - one whole frame (SceneView::draw and glFinish) and one pick (SceneView::pickObject) at
//    n = 4, 100, 1,000 and 10,000 control points, each beside a baseline that replays the same GL
//    stream from precomputed data with a bare loop.
// Frames and picks run first, smallest scene first, since the scene only grows: the runs share
// one scene, so random interleaving (which would measure a small scene with a big one's points)
// is refused.

#include "Baseline.h"
#include "BenchScene.h"
#include "ControlPoint.h"
#include "Curve.h"
#include "CurveBasis.h"
#include "SceneView.h"

#include <benchmark/benchmark.h>

#include <FL/Fl.H>
#include <FL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

const int sceneSizes[] = {4, 100, 1000, 10000};
const int curveSizes[] = {4, 1000, 100000};

const char* shadowName(int line) {
    return line == 1 ? "None" : "PointLight";
}

void frame(benchmark::State& state, int points, int shadowLine) {
    BenchScene& scene = BenchScene::withPoints(points);
    scene.shadows(shadowLine);
    scene.view().make_current();
    for (auto _ : state) {
        scene.view().draw();
        glFinish();
    }
    state.counters["points"] = points;
}

void frameBaseline(benchmark::State& state, int points, int shadowLine) {
    BenchScene& scene = BenchScene::withPoints(points);
    scene.view().make_current();
    const GlStream stream = captureStream(scene);
    for (auto _ : state) {
        replayFrame(stream, shadowLine);
        glFinish();
    }
    state.counters["points"] = points;
}

// The mouse on the first point's cube, where "Add to Curve" crowds its points.
void mouseOnFirstPoint(BenchScene& scene) {
    SceneView& view = scene.view();
    view.make_current();
    view.draw();
    GLdouble mv[16], pr[16];
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    double wx, wy, wz;
    const ControlPoint* first = scene.points().front();
    gluProject(first->x, first->y + 0.25, first->z, mv, pr, vp, &wx, &wy, &wz);
    Fl::e_x = static_cast<int>(wx);
    Fl::e_y = view.h() - static_cast<int>(wy);
}

void pick(benchmark::State& state, int points) {
    BenchScene& scene = BenchScene::withPoints(points);
    scene.shadows(1);
    mouseOnFirstPoint(scene);
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.view().pickObject());
    state.counters["points"] = points;
}

// A pick and its replay taken in turns, each timed alone, first one then the other first: a burst
// of load on a busy machine then slows both of a pair alike. Reports the median over the pairs of
// pick / replay, which the performance guard holds against its bound; a pick alone at 10,000
// points takes a few tens of milliseconds, too few per run for two separate benchmarks to cancel
// the machine's noise.
void pickPaired(benchmark::State& state, int points) {
    BenchScene& scene = BenchScene::withPoints(points);
    scene.shadows(1);
    mouseOnFirstPoint(scene);
    const GlStream stream = captureStream(scene);
    using Clock = std::chrono::steady_clock;
    const auto timed = [](auto&& work) {
        const auto start = Clock::now();
        work();
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    const auto ours = [&] { benchmark::DoNotOptimize(scene.view().pickObject()); };
    const auto bare = [&] { benchmark::DoNotOptimize(replayPick(stream, Fl::e_x, Fl::e_y)); };
    std::vector<double> ratios;
    for (auto _ : state) {
        const bool oursFirst = ratios.size() % 2 == 0;
        const double a = timed(oursFirst ? std::function<void()>(ours) : bare);
        const double b = timed(oursFirst ? std::function<void()>(bare) : ours);
        ratios.push_back(oursFirst ? a / b : b / a);
    }
    std::sort(ratios.begin(), ratios.end());
    const std::size_t n = ratios.size();
    state.counters["ratio"] = n % 2 ? ratios[n / 2] : (ratios[n / 2 - 1] + ratios[n / 2]) / 2;
    state.counters["points"] = points;
}

void pickBaseline(benchmark::State& state, int points) {
    BenchScene& scene = BenchScene::withPoints(points);
    mouseOnFirstPoint(scene);
    const GlStream stream = captureStream(scene);
    for (auto _ : state)
        benchmark::DoNotOptimize(replayPick(stream, Fl::e_x, Fl::e_y));
    state.counters["points"] = points;
}

// A curve of n points around a circle (not mainCurve, so the time slider is left alone).
Curve& curveOf(int n, int type) {
    Curve* curve = new Curve;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n;
        curve->append(new ControlPoint(4 * std::cos(a), 0.1 + std::sin(3 * a), 4 * std::sin(a)));
    }
    curve->curveType = type;
    return *curve;
}

template <bool Tangent>
void evaluate(benchmark::State& state, int n, int type) {
    static Curve* curves[4][4] = {};
    const int sizeIndex = n == 4 ? 0 : n == 1000 ? 1 : 2;
    Curve*& curve = curves[type][sizeIndex];
    if (!curve)
        curve = &curveOf(n, type);
    double t = 0.0, x, y, z;
    for (auto _ : state) {
        if (Tangent)
            curve->tangent(t, &x, &y, &z);
        else
            curve->position(t, &x, &y, &z);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(z);
        // Along the curve as drawing and the animation go, wrapping at n.
        t += 0.1;
        if (t >= n)
            t = 0.0;
    }
    state.counters["points"] = n;
}

const char* typeName(int type) {
    return type == CurveLinear ? "Linear" : type == CurveCardinal ? "Cardinal" : "BSpline";
}

void registerAll() {
    for (int n : sceneSizes) {
        const std::string size = std::to_string(n);
        for (int line : {1, 3}) {
            const std::string shadows = shadowName(line);
            benchmark::RegisterBenchmark(("Frame/" + shadows + "/" + size).c_str(), frame, n, line)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(("FrameBaseline/" + shadows + "/" + size).c_str(),
                                         frameBaseline, n, line)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
        benchmark::RegisterBenchmark(("Pick/" + size).c_str(), pick, n)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("PickBaseline/" + size).c_str(), pickBaseline, n)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        if (n == 10000)
            benchmark::RegisterBenchmark("PickPaired/10000", pickPaired, n)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(11);
    }
    for (int type : {CurveLinear, CurveCardinal, CurveBSpline})
        for (int n : curveSizes) {
            const std::string name = std::string(typeName(type)) + "/" + std::to_string(n);
            benchmark::RegisterBenchmark(("Position/" + name).c_str(), evaluate<false>, n, type);
            benchmark::RegisterBenchmark(("Tangent/" + name).c_str(), evaluate<true>, n, type);
        }
}

// Whether a flag value, as Google Benchmark reads booleans, means true ("" counts as true).
bool isTrue(const char* value) {
    std::string v(value);
    for (char& c : v)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return !(v == "false" || v == "0" || v == "no" || v == "f" || v == "n");
}

bool interleavingRequested(int argc, char** argv) {
    const char* flag = "--benchmark_enable_random_interleaving";
    bool requested = false;
    if (const char* env = std::getenv("BENCHMARK_ENABLE_RANDOM_INTERLEAVING"))
        requested = isTrue(env);
    for (int k = 1; k < argc; ++k) {
        const std::size_t n = std::strlen(flag);
        if (std::strncmp(argv[k], flag, n) == 0 && (argv[k][n] == '\0' || argv[k][n] == '='))
            requested = isTrue(argv[k][n] == '=' ? argv[k] + n + 1 : "");
    }
    return requested;
}

}  // namespace

int main(int argc, char** argv) {
    if (interleavingRequested(argc, argv)) {
        std::fprintf(stderr, "loopline_bench: random interleaving is not supported: the "
                             "benchmarks share one scene that only grows, so they must run in "
                             "their registered order\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    registerAll();
    // The pick trace goes to standard output; keep it out of the report, which goes to stderr
    // (and to --benchmark_out).
    benchmark::ConsoleReporter display;
    display.SetOutputStream(&std::cerr);
    display.SetErrorStream(&std::cerr);
    if (!std::freopen("/dev/null", "w", stdout))
        return 1;
    benchmark::RunSpecifiedBenchmarks(&display);
    benchmark::Shutdown();
    return 0;
}

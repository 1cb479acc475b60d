#pragma once

#include <memory>
#include <vector>

class ControlPoint;
class Curve;
class SceneView;
class StartupScene;
class Fl_Hold_Browser;
class Fl_Light_Button;
class Fl_Value_Slider;

// The editor's scene at a given size, built as start-up and "Add to Curve" build it, with the
// widgets the view reads and a shown SceneView of the program's size whose context is current.
// One per process: the registry only grows.
class BenchScene {
public:
    static BenchScene& withPoints(int count);

    void shadows(int line);  // "Shadow Type" line: 1 none, 3 point light
    SceneView& view() { return *view_; }
    Curve& curve() { return *curve_; }
    const std::vector<ControlPoint*>& points() const { return points_; }

private:
    BenchScene();
    void grow(int count);

    std::unique_ptr<SceneView> view_;
    std::unique_ptr<Fl_Value_Slider> slider_;
    std::unique_ptr<Fl_Light_Button> trainView_, lighting_;
    std::unique_ptr<Fl_Hold_Browser> shadowTypes_;
    StartupScene* startup_ = nullptr;
    std::vector<ControlPoint*> points_;
    Curve* curve_ = nullptr;
};

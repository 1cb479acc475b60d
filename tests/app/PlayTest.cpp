#include "ControlPoint.h"
#include "Curve.h"
#include "Handles.h"
#include "PlayButton.h"
#include "TimeSlider.h"
#include "StartupScene.h"
#include "Train.h"

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>

#include <chrono>
#include <climits>
#include <cmath>
#include <memory>
#include <thread>

namespace {

// The clock the tests own: playIdle reads it instead of real time.
std::int32_t fakeNow = 0;
std::int32_t fakeClock() {
    return fakeNow;
}

int sliderCallbacks = 0;
void countSliderCallback(Fl_Widget*, void*) {
    ++sliderCallbacks;
}

class Play : public ::testing::Test {
protected:
    void SetUp() override {
        playClock = fakeClock;
        fakeNow = 1000;
        sliderCallbacks = 0;
        slider = std::make_unique<TimeSlider>(nullptr, 2, 0, 0, 100, 20);
        slider->callback(countSliderCallback);
        timeSlider = slider.get();
        velocity = std::make_unique<Fl_Value_Slider>(0, 0, 100, 20);
        velocity->range(0, 1);
        velocity->value(0.5);
        velocitySlider = velocity.get();
        constant = std::make_unique<Fl_Light_Button>(0, 0, 100, 20);
        constantVelocityButton = constant.get();
        scene = std::make_unique<StartupScene>();
        button = std::make_unique<PlayButton>(slider.get(), 0, 0, 60, 25);
        button->value(1);
    }
    void TearDown() override {
        button.reset();
        playClock = elapsedMilliseconds;
        timeSlider = nullptr;
        velocitySlider = nullptr;
        constantVelocityButton = nullptr;
        scene.reset();
    }
    // One idle call, 34 ms after the last step.
    void step() {
        fakeNow = button->lastTicks + 34;
        playIdle(button.get());
    }

    std::unique_ptr<TimeSlider> slider;
    std::unique_ptr<Fl_Value_Slider> velocity;
    std::unique_ptr<Fl_Light_Button> constant;
    std::unique_ptr<StartupScene> scene;  // made once the time slider is there, as at start-up
    std::unique_ptr<PlayButton> button;
};

}  // namespace

TEST_F(Play, ConstructedOffLabelledAndAtZeroTicks) {
    PlayButton b(slider.get(), 240, 490, 60, 25);
    EXPECT_STREQ(b.label(), "Play");
    EXPECT_EQ(b.value(), 0);
    EXPECT_EQ(b.lastTicks, 0);
    EXPECT_EQ(b.slider, slider.get());
}

TEST_F(Play, OffDoesNothing) {
    button->value(0);
    fakeNow = 100000;
    playIdle(button.get());
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(button->lastTicks, 0);
    EXPECT_EQ(sliderCallbacks, 0);
}

TEST_F(Play, AStepNeedsAtLeast34Milliseconds) {
    button->lastTicks = 1000;
    fakeNow = 1033;
    playIdle(button.get());
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(sliderCallbacks, 0);
    fakeNow = 1034;
    playIdle(button.get());
    EXPECT_DOUBLE_EQ(slider->value(), 0.1);
    EXPECT_EQ(button->lastTicks, 1034);
    EXPECT_EQ(sliderCallbacks, 1);
}

TEST_F(Play, AfterALongPauseOneStepAtOnceThenTheNextPacedFromIt) {
    button->lastTicks = 1000;
    fakeNow = 500000;
    playIdle(button.get());
    EXPECT_DOUBLE_EQ(slider->value(), 0.1);
    EXPECT_EQ(button->lastTicks, 500000);
    // No catching up: the calls that follow wait 34 ms from that step.
    fakeNow = 500033;
    playIdle(button.get());
    playIdle(button.get());
    EXPECT_DOUBLE_EQ(slider->value(), 0.1);
    EXPECT_EQ(sliderCallbacks, 1);
    fakeNow = 500034;
    playIdle(button.get());
    EXPECT_DOUBLE_EQ(slider->value(), 0.2);
}

TEST_F(Play, ElapsedTimeIsRightAcrossTheClockWrap) {
    button->lastTicks = INT32_MAX - 20;
    fakeNow = INT32_MIN + 12;  // 33 ms later, across the wrap
    playIdle(button.get());
    EXPECT_EQ(slider->value(), 0);
    fakeNow = INT32_MIN + 13;  // 34 ms later
    playIdle(button.get());
    EXPECT_DOUBLE_EQ(slider->value(), 0.1);
    EXPECT_EQ(button->lastTicks, INT32_MIN + 13);
}

TEST_F(Play, VelocityScalesTheStep) {
    step();
    EXPECT_DOUBLE_EQ(slider->value(), 0.1);
    velocity->value(1);
    step();
    EXPECT_DOUBLE_EQ(slider->value(), 0.1 + 0.2);
}

TEST_F(Play, WrapsToExactlyZeroAtTheMaximum) {
    slider->value(3.95);
    step();
    EXPECT_EQ(slider->value(), 0);
    ASSERT_EQ(3.9 + 0.1, 4.0);
    slider->value(3.9);
    step();
    EXPECT_EQ(slider->value(), 0);
}

TEST_F(Play, VelocityZeroKeepsTButStillRunsTheCallback) {
    velocity->value(0);
    slider->value(1.7);
    step();
    step();
    EXPECT_EQ(slider->value(), 1.7);
    EXPECT_EQ(sliderCallbacks, 2);
}

TEST_F(Play, ConstantVelocityDividesByTheSpeed) {
    constant->value(1);
    scene->curve.curveType = 2;
    slider->value(0.5);  // tangent (-5, 0, 0) on the start-up Cardinal curve
    step();
    EXPECT_DOUBLE_EQ(slider->value(), 0.5 + 0.5 / (5 + 0.02));
    // Switching it off takes effect at the next step.
    constant->value(0);
    const double t = slider->value();
    step();
    EXPECT_DOUBLE_EQ(slider->value(), t + 0.1);
}

TEST_F(Play, ConstantVelocityOnAZeroTangentIsCappedAtOne) {
    constant->value(1);
    for (auto* p : scene->points()) {
        p->x = 1;
        p->y = 0;
        p->z = 1;
    }
    slider->value(0.5);
    step();
    EXPECT_DOUBLE_EQ(slider->value(), 1.5);  // 0.5 / 0.02 = 25, capped at 1
    velocity->value(0.01);
    step();
    EXPECT_DOUBLE_EQ(slider->value(), 1.5 + 0.01 / 0.02);
}

TEST_F(Play, ARaisedMaximumTakesEffectAtTheNextStep) {
    slider->value(3.95);
    slider->maximum(5);
    step();
    EXPECT_DOUBLE_EQ(slider->value(), 4.05);
}

TEST_F(Play, ValueIsSetWithoutRoundingToTheStep) {
    constant->value(1);
    slider->value(0.5);
    step();
    EXPECT_NE(slider->value(), slider->round(slider->value()));
}

TEST_F(Play, IdleCallbackLivesExactlyAsLongAsTheButton) {
    EXPECT_TRUE(Fl::has_idle(playIdle, button.get()));
    auto other = std::make_unique<PlayButton>(slider.get(), 0, 0, 60, 25);
    EXPECT_TRUE(Fl::has_idle(playIdle, other.get()));
    PlayButton* first = button.get();
    button.reset();
    EXPECT_FALSE(Fl::has_idle(playIdle, first));
    EXPECT_TRUE(Fl::has_idle(playIdle, other.get()));
    PlayButton* second = other.get();
    other.reset();
    EXPECT_FALSE(Fl::has_idle(playIdle, second));
}

TEST(PlayClock, CountsRealMillisecondsSinceStartUp) {
    const std::int32_t before = elapsedMilliseconds();
    EXPECT_GE(before, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    const std::int32_t after = elapsedMilliseconds();
    // Real time, not processor time: a sleep counts. Generous upper bound for a loaded machine.
    EXPECT_GE(after - before, 60);
    EXPECT_LT(after - before, 10000);
}

#include "PlayButton.h"

#include "Curve.h"
#include "Handles.h"
#include "TimeSlider.h"
#include "Train.h"

#include <FL/Fl.H>

#include <chrono>
#include <cmath>

namespace {

const std::chrono::steady_clock::time_point startTime = std::chrono::steady_clock::now();

// Milliseconds from `then` to `now` on the wrapping 32-bit clock. Unsigned arithmetic keeps the
// difference right across the wrap, where a signed subtraction would overflow.
std::uint32_t millisecondsBetween(std::int32_t then, std::int32_t now) {
    return static_cast<std::uint32_t>(now) - static_cast<std::uint32_t>(then);
}

}  // namespace

std::int32_t elapsedMilliseconds() {
    const auto elapsed = std::chrono::steady_clock::now() - startTime;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));
}

std::int32_t (*playClock)() = elapsedMilliseconds;

PlayButton::PlayButton(TimeSlider* slider, int x, int y, int w, int h)
    : Fl_Light_Button(x, y, w, h, "Play"), slider(slider), lastTicks(0) {
    Fl::add_idle(playIdle, this);
}

PlayButton::~PlayButton() {
    Fl::remove_idle(playIdle, this);
}

void playIdle(void* data) {
    PlayButton* button = static_cast<PlayButton*>(data);
    if (!button->value())
        return;
    if (millisecondsBetween(button->lastTicks, playClock()) <= 33)
        return;
    button->lastTicks = playClock();

    TimeSlider* slider = button->slider;
    double t = slider->value();
    const double tMax = slider->maximum();
    const double v = velocitySlider ? velocitySlider->value() : 0.0;

    double d;
    if (constantVelocityButton && constantVelocityButton->value()) {
        // Divide by the speed at t so the train covers about v world units per step.
        double dx = 0, dy = 0, dz = 0;
        if (mainTrain)
            mainTrain->curve->tangent(t, &dx, &dy, &dz);
        d = v / (std::sqrt(dx * dx + dy * dy + dz * dz) + 0.02);
        if (d > 1)
            d = 1;
    } else {
        d = v * 0.2;
    }

    t = t + d;
    if (t >= tMax)
        t = 0;  // the overshoot is dropped, not carried into the next lap
    slider->value(t);
    slider->do_callback(slider, slider->user_data());
}

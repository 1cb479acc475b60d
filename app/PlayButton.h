#pragma once

#include <FL/Fl_Light_Button.H>

#include <cstdint>

class TimeSlider;

// "Play": while on, its idle step advances the time slider at the "Velocity" setting. The idle
// callback is registered for exactly the button's lifetime, on or off.
class PlayButton : public Fl_Light_Button {
public:
    PlayButton(TimeSlider* slider, int x, int y, int w, int h);
    ~PlayButton() override;

    TimeSlider* slider;    // not owned
    std::int32_t lastTicks;  // clock reading at the last step taken, ms
};

// The idle step: at most one step every 34 ms, wrapping t to 0 at the slider's maximum.
void playIdle(void* button);

// Elapsed real time since start-up in milliseconds, wrapping modulo 2^32.
std::int32_t elapsedMilliseconds();

// The clock playIdle paces itself by; elapsedMilliseconds unless replaced (tests own one).
extern std::int32_t (*playClock)();

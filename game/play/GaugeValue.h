#pragma once

namespace vastomer {

// The value a gauge shows, moved towards a target over a number of frames by the same signed step
// each frame and kept within 0..maximum (a negative maximum counts as 0). The last frame lands on
// the target exactly, whatever the steps added up to.
class GaugeValue {
public:
    void reset(float value, float maximum);
    // Starts a move to `target` over `frames` frames; 1 frame sets it at once. False (and nothing
    // changes) for 0 frames or fewer.
    bool start(float target, int frames);
    // One frame of the move; true while frames remain after it.
    bool advance();
    bool isMoving() const { return framesLeft_ > 0; }

    float getValue() const { return value_; }
    float getMaximum() const { return maximum_; }
    float getStep() const { return step_; }
    int getFramesLeft() const { return framesLeft_; }

private:
    float ceiling() const { return maximum_ > 0.0f ? maximum_ : 0.0f; }

    float value_ = 0.0f;
    float maximum_ = 0.0f;
    float step_ = 0.0f;
    float target_ = 0.0f;
    int framesLeft_ = 0;
};

}  // namespace vastomer

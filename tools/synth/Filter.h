#pragma once

namespace synth {

// A two-pole state-variable filter (trapezoidal integration: stable at any cutoff) giving low-pass and
// high-pass outputs, 12 dB per octave.
class Filter {
public:
    enum class Mode { LowPass, HighPass };

    Filter(Mode mode, double resonance);

    void setCutoff(double hz, double sampleRate);
    float process(float input);

private:
    Mode mode_;
    double damping_;
    double a1_ = 0.0;
    double a2_ = 0.0;
    double a3_ = 0.0;
    double state1_ = 0.0;
    double state2_ = 0.0;
};

}  // namespace synth

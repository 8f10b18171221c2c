#include "tools/synth/Envelope.h"

#include <algorithm>

namespace synth {

namespace {

// The shortest attack, decay and release: an instant step in level would click.
constexpr double SHORTEST_EDGE = 0.0005;

}  // namespace

Envelope::Envelope(double attack, double decay, double sustain, double release, double gate)
    : attack_(std::max(attack, SHORTEST_EDGE)),
      decay_(std::max(decay, SHORTEST_EDGE)),
      sustain_(sustain),
      release_(std::max(release, SHORTEST_EDGE)),
      gate_(std::max(gate, 0.0)),
      levelAtGate_(held(gate_)) {}

double Envelope::held(double seconds) const {
    if (seconds < attack_) return seconds / attack_;
    const double intoDecay = seconds - attack_;
    if (intoDecay >= decay_) return sustain_;
    // Falls quickly at first and gently towards the sustain level.
    const double left = 1.0 - intoDecay / decay_;
    return sustain_ + (1.0 - sustain_) * left * left;
}

double Envelope::level(double seconds) const {
    if (seconds < 0.0) return 0.0;
    if (seconds < gate_) return held(seconds);
    const double intoRelease = seconds - gate_;
    if (intoRelease >= release_) return 0.0;
    // A cubic fade: near-exponential to the ear, and exactly zero at the end.
    const double left = 1.0 - intoRelease / release_;
    return levelAtGate_ * left * left * left;
}

}  // namespace synth

#pragma once

namespace synth {

// Attack, decay, sustain and release around a gate: the note is held for `gate` seconds, then released.
// A gate that closes during the attack or decay releases from the level reached.
class Envelope {
public:
    Envelope(double attack, double decay, double sustain, double release, double gate);

    double level(double seconds) const;
    // When the release has ended and the level is zero for good.
    double end() const { return gate_ + release_; }

private:
    double held(double seconds) const;

    double attack_;
    double decay_;
    double sustain_;
    double release_;
    double gate_;
    double levelAtGate_;
};

}  // namespace synth

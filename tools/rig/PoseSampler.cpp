#include "tools/rig/PoseSampler.h"

#include <cmath>

namespace rig {

double eased(Ease ease, double t) {
    switch (ease) {
        case Ease::LINEAR:
        case Ease::SPLINE:
            return t;
        case Ease::IN:
            return t * t;
        case Ease::OUT:
            return 1.0 - (1.0 - t) * (1.0 - t);
        case Ease::INOUT:
            return t * t * (3.0 - 2.0 * t);
        case Ease::STEP:
            return 0.0;
    }
    return t;
}

PoseSampler::PoseSampler(const Rig& rig, const Motion& motion) : rig_(rig), motion_(motion) {
    for (const Key& key : motion.keys) {
        for (const auto& entry : key.values.continuous)
            continuous_.insert(entry.first);
        for (const auto& entry : key.values.discrete)
            discrete_.insert(entry.first);
    }
    for (const Change& change : motion.changes)
        for (const auto& entry : change.discrete)
            discrete_.insert(entry.first);
}

double PoseSampler::continuousDefault(const std::string& channel) const {
    auto endsWith = [&](const char* suffix) {
        std::string s(suffix);
        return channel.size() >= s.size() && channel.compare(channel.size() - s.size(), s.size(), s) == 0;
    };
    if (endsWith(".scale.x") || endsWith(".scale.y")) return 1.0;
    if (channel == "alpha" || endsWith(".alpha")) return 255.0;
    return 0.0;
}

int PoseSampler::discreteDefault(const std::string& channel) const {
    if (channel == "tint") return 0xFFFFFF;
    std::size_t dot = channel.find('.');
    const Part* part = rig_.findPart(channel.substr(0, dot));
    std::string what = dot == std::string::npos ? "" : channel.substr(dot + 1);
    if (part && what == "cell") return part->cell;
    if (part && what == "show") return part->hidden ? 0 : 1;
    return 0;
}

double PoseSampler::valueAt(const Key& key, const std::string& channel) const {
    auto found = key.values.continuous.find(channel);
    return found == key.values.continuous.end() ? continuousDefault(channel) : found->second;
}

const Key& PoseSampler::keyAt(long j, double& frame) const {
    const long n = static_cast<long>(motion_.keys.size());
    if (!motion_.loop) {
        long k = j < 0 ? 0 : (j >= n ? n - 1 : j);
        frame = motion_.keys[static_cast<std::size_t>(k)].frame;
        return motion_.keys[static_cast<std::size_t>(k)];
    }
    long cycle = j >= 0 ? j / n : -((-j + n - 1) / n);
    long k = j - cycle * n;
    frame = motion_.keys[static_cast<std::size_t>(k)].frame + static_cast<double>(cycle) * motion_.length;
    return motion_.keys[static_cast<std::size_t>(k)];
}

double PoseSampler::tangent(long j, const std::string& channel) const {
    const long n = static_cast<long>(motion_.keys.size());
    if (!motion_.loop && (j <= 0 || j >= n - 1)) return 0.0;
    double before = 0.0, after = 0.0;
    const Key& previous = keyAt(j - 1, before);
    const Key& next = keyAt(j + 1, after);
    if (after - before <= 0.0) return 0.0;
    return (valueAt(next, channel) - valueAt(previous, channel)) / (after - before);
}

// Between key j and key j + 1, at t in [0, 1).
double PoseSampler::interpolate(long j, double t, const std::string& channel) const {
    double f0 = 0.0, f1 = 0.0;
    const Key& from = keyAt(j, f0);
    const Key& to = keyAt(j + 1, f1);
    const double a = valueAt(from, channel), b = valueAt(to, channel);
    if (to.ease != Ease::SPLINE) return a + (b - a) * eased(to.ease, t);
    const double h = f1 - f0;
    const double m0 = tangent(j, channel) * h, m1 = tangent(j + 1, channel) * h;
    const double t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * a + (t3 - 2 * t2 + t) * m0 + (-2 * t3 + 3 * t2) * b + (t3 - t2) * m1;
}

PoseValues PoseSampler::sample(int frame) const {
    PoseValues out;
    const long n = static_cast<long>(motion_.keys.size());
    long j = 0;
    while (j + 1 < n && motion_.keys[static_cast<std::size_t>(j + 1)].frame <= frame)
        ++j;
    double f0 = 0.0, f1 = 0.0;
    keyAt(j, f0);
    keyAt(j + 1, f1);
    const bool holding = !motion_.loop && j == n - 1;
    const double t = holding || f1 <= f0 ? 0.0 : (frame - f0) / (f1 - f0);
    for (const std::string& channel : continuous_)
        out.continuous[channel] = interpolate(j, t, channel);

    // Discrete channels start at their defaults; keys and "at" lines set the ones they give, in
    // frame order (keys first on a shared frame), and the values hold until set again.
    for (const std::string& channel : discrete_)
        out.discrete[channel] = discreteDefault(channel);
    for (int f = 0; f <= frame; ++f) {
        for (const Key& key : motion_.keys)
            if (key.frame == f)
                for (const auto& [channel, value] : key.values.discrete)
                    out.discrete[channel] = value;
        for (const Change& change : motion_.changes)
            if (change.frame == f)
                for (const auto& [channel, value] : change.discrete)
                    out.discrete[channel] = value;
    }
    return out;
}

}  // namespace rig

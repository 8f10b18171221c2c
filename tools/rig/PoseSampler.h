#pragma once

#include <map>
#include <set>
#include <string>

#include "tools/rig/RigModel.h"

namespace rig {

// The values of a motion at any frame: continuous channels eased between keys (a looping motion
// eases from its last key back to its first), discrete channels held from the frame that sets them.
class PoseSampler {
public:
    PoseSampler(const Rig& rig, const Motion& motion);

    // Every channel the motion uses, resolved at `frame` (defaults fill what no key gives).
    PoseValues sample(int frame) const;

    // The value a channel has when no key gives it.
    double continuousDefault(const std::string& channel) const;
    int discreteDefault(const std::string& channel) const;

private:
    double valueAt(const Key& key, const std::string& channel) const;
    // Key number j of the endless sequence a loop makes (or the clamped one), and its frame.
    const Key& keyAt(long j, double& frame) const;
    double tangent(long j, const std::string& channel) const;
    double interpolate(long j, double t, const std::string& channel) const;

    const Rig& rig_;
    const Motion& motion_;
    std::set<std::string> continuous_;
    std::set<std::string> discrete_;
};

// Shapes t in [0, 1] by an ease (spline is handled by the sampler).
double eased(Ease ease, double t);

}  // namespace rig

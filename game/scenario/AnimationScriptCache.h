#pragma once

#include <map>
#include <memory>
#include <string>

#include "game/scenario/AnimationTimeline.h"

namespace vastomer {

// Animation scripts parsed once per file name. A file that is missing or broken is remembered as
// such, so asking for it again costs neither a file search nor a second error report.
class AnimationScriptCache {
public:
    // The parsed script of `file`, found through the resource search paths; null when it is missing
    // or broken. `error` receives the first mistake of a broken file, the first time only.
    std::shared_ptr<const AnimationTimeline> find(const std::string& file, std::string& error);
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }

private:
    // A null entry is a remembered miss.
    std::map<std::string, std::shared_ptr<const AnimationTimeline>> entries_;
};

}  // namespace vastomer

#include "game/scenario/AnimationScriptCache.h"

#include <cstdio>
#include <vector>

#include "engine/platform/FileUtils.h"
#include "game/scenario/AnimationScriptParser.h"

namespace vastomer {

std::shared_ptr<const AnimationTimeline> AnimationScriptCache::find(const std::string& file,
                                                                    std::string& error) {
    error.clear();
    auto known = entries_.find(file);
    if (known != entries_.end()) return known->second;

    std::shared_ptr<const AnimationTimeline>& entry = entries_[file];
    engine::FileUtils* files = engine::FileUtils::getInstance();
    const std::string path = files->fullPathForFilename(file);
    if (path.empty()) {
        // Told once (the miss is remembered); the animation then plays as nothing.
        std::fprintf(stderr, "quorin: animation script %s not found; it shows nothing\n", file.c_str());
        return entry;
    }
    auto timeline = std::make_shared<AnimationTimeline>();
    std::vector<AnimationScriptError> errors;
    if (!AnimationScriptParser::parse(files->getStringFromFile(path), *timeline,
                                      AnimationScriptParser::Mode::STOP_AT_FIRST_ERROR, errors)) {
        if (!errors.empty()) error = errors.front().gameMessage(file);
        return entry;
    }
    entry = std::move(timeline);
    return entry;
}

}  // namespace vastomer

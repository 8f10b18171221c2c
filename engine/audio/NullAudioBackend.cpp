#include "engine/audio/NullAudioBackend.h"

#include "engine/audio/Mp3Info.h"
#include "engine/platform/FileUtils.h"

namespace engine {

void NullAudioBackend::close() {
    voices_.clear();
    durations_.clear();
}

bool NullAudioBackend::play(int id, const std::string& fullPath, bool loop, float) {
    auto cached = durations_.find(fullPath);
    if (cached == durations_.end()) {
        Mp3Info info = Mp3Info::fromBytes(FileUtils::getInstance()->getStringFromFile(fullPath));
        if (!info.isValid()) return false;
        cached = durations_.emplace(fullPath, info.getTicksAt60()).first;
    }
    voices_[id] = Voice{0, cached->second, loop};
    return true;
}

std::vector<int> NullAudioBackend::tick() {
    std::vector<int> ended;
    for (auto it = voices_.begin(); it != voices_.end();) {
        Voice& voice = it->second;
        ++voice.elapsed;
        if (!voice.loop && voice.elapsed >= voice.duration) {
            ended.push_back(it->first);
            it = voices_.erase(it);
        } else {
            ++it;
        }
    }
    return ended;
}

long long NullAudioBackend::cachedTicks(const std::string& fullPath) const {
    auto it = durations_.find(fullPath);
    return it == durations_.end() ? -1 : it->second;
}

}  // namespace engine

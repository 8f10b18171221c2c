#include "engine/audio/AudioEngine.h"

#include <cstdio>
#include <map>
#include <set>

#include "engine/audio/AudioBackend.h"
#include "engine/audio/MixerAudioBackend.h"
#include "engine/audio/NullAudioBackend.h"
#include "engine/platform/FileUtils.h"

namespace engine {

struct AudioEngine::State {
    std::unique_ptr<AudioBackend> backend;
    bool open = false;
    bool openFailed = false;            // not retried on every play: opening a device can take a while
    std::map<int, Instance> instances;  // ordered by id, so stopAll and dumps follow the order of play
    int nextId = 0;
    long long ticks = 0;
    std::vector<LogEntry> log;
    // Sounds that could not be played and were reported: each path is told once a run.
    std::set<std::string> reported;
};

namespace {

float clampVolume(float volume) {
    if (!(volume > 0.0f)) return 0.0f;  // also NaN
    return volume > 1.0f ? 1.0f : volume;
}

}  // namespace

AudioEngine::State& AudioEngine::state() {
    // Deliberately never destroyed: closing SDL_mixer from a static destructor could run after SDL_Quit.
    static State* instance = new State();
    return *instance;
}

void AudioEngine::log(const std::string& operation, int id, const std::string& path, bool loop, float volume,
                      const std::string& note) {
    std::vector<LogEntry>& entries = state().log;
    // Dropping the older half at once keeps the cost of a logged operation constant on average.
    if (entries.size() >= LOG_LIMIT)
        entries.erase(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(LOG_LIMIT / 2));
    entries.push_back(LogEntry{state().ticks, operation, id, path, loop, volume, note});
}

bool AudioEngine::install(std::unique_ptr<AudioBackend> backend) {
    State& s = state();
    if (s.backend) {
        s.backend->close();
        s.instances.clear();
    }
    s.backend = std::move(backend);
    s.open = s.backend->open();
    s.openFailed = !s.open;
    log("backend", INVALID_AUDIO_ID, s.backend->name(), false, 0.0f, s.open ? "" : "cannot open");
    return s.open;
}

bool AudioEngine::useNullBackend() {
    return install(std::make_unique<NullAudioBackend>());
}

bool AudioEngine::useMixerBackend() {
    return install(std::make_unique<MixerAudioBackend>());
}

std::string AudioEngine::getBackendName() {
    const State& s = state();
    return (s.backend && s.open) ? s.backend->name() : "";
}

bool AudioEngine::ensureBackend() {
    State& s = state();
    if (!s.backend) return useMixerBackend();
    // After end() the same kind of backend opens again; after a failure only a new choice or end() retries.
    if (!s.open && !s.openFailed) {
        s.open = s.backend->open();
        s.openFailed = !s.open;
    }
    return s.open;
}

int AudioEngine::play2d(const std::string& path, bool loop, float volume) {
    State& s = state();
    volume = clampVolume(volume);
    std::string fullPath = FileUtils::getInstance()->fullPathForFilename(path);
    const char* failure = nullptr;
    if (fullPath.empty() || !FileUtils::getInstance()->isFileExist(fullPath)) {
        failure = "file not found";
    } else if (static_cast<int>(s.instances.size()) >= MAX_INSTANCES) {
        failure = "too many sounds";
    } else if (!ensureBackend()) {
        failure = "no audio output";
    } else if (!s.backend->play(s.nextId, fullPath, loop, volume)) {
        failure = "cannot play";
    }
    if (failure) {
        // A missing or damaged sound is silence; the people who make the content hear of it once.
        if (fullPath.empty() || std::string(failure) == "cannot play") {
            const std::string shown = fullPath.empty() ? path : fullPath;
            if (s.reported.insert(shown).second)
                std::fprintf(stderr, "sound %s: %s; playing silence\n", shown.c_str(), failure);
        }
        log("play2d", INVALID_AUDIO_ID, path, loop, volume, failure);
        return INVALID_AUDIO_ID;
    }
    int id = s.nextId++;
    s.instances[id] = Instance{path, loop, volume};
    log("play2d", id, path, loop, volume);
    return id;
}

void AudioEngine::stop(int audioId) {
    State& s = state();
    auto it = s.instances.find(audioId);
    if (it == s.instances.end()) {
        log("stop", audioId, "", false, 0.0f, "unknown id");
        return;
    }
    s.backend->stop(audioId);
    log("stop", audioId, it->second.path, it->second.loop, it->second.volume);
    s.instances.erase(it);
}

void AudioEngine::stopAll() {
    State& s = state();
    for (const auto& [id, instance] : s.instances)
        s.backend->stop(id);
    s.instances.clear();
    log("stopAll", INVALID_AUDIO_ID, "", false, 0.0f);
}

void AudioEngine::setVolume(int audioId, float volume) {
    State& s = state();
    volume = clampVolume(volume);
    auto it = s.instances.find(audioId);
    if (it == s.instances.end()) {
        log("setVolume", audioId, "", false, volume, "unknown id");
        return;
    }
    Instance& instance = it->second;
    if (instance.volume == volume) {
        log("setVolume", audioId, instance.path, instance.loop, volume, "unchanged");
        return;
    }
    instance.volume = volume;
    s.backend->setVolume(audioId, volume);
    log("setVolume", audioId, instance.path, instance.loop, volume);
}

float AudioEngine::getVolume(int audioId) {
    auto it = state().instances.find(audioId);
    return it == state().instances.end() ? 0.0f : it->second.volume;
}

AudioEngine::AudioState AudioEngine::getState(int audioId) {
    return state().instances.count(audioId) ? AudioState::PLAYING : AudioState::ERROR;
}

bool AudioEngine::isLoop(int audioId) {
    auto it = state().instances.find(audioId);
    return it != state().instances.end() && it->second.loop;
}

int AudioEngine::getPlayingCount() {
    return static_cast<int>(state().instances.size());
}

void AudioEngine::uncacheAll() {
    if (state().backend) state().backend->uncacheAll();
    log("uncacheAll", INVALID_AUDIO_ID, "", false, 0.0f);
}

void AudioEngine::end() {
    State& s = state();
    if (s.backend) {
        for (const auto& [id, instance] : s.instances)
            s.backend->stop(id);
        s.backend->close();
    }
    s.instances.clear();
    s.open = false;
    s.openFailed = false;
    log("end", INVALID_AUDIO_ID, "", false, 0.0f);
}

void AudioEngine::tick() {
    State& s = state();
    ++s.ticks;
    if (!s.backend || !s.open) return;
    for (int id : s.backend->tick()) {
        auto it = s.instances.find(id);
        if (it == s.instances.end()) continue;
        log("finished", id, it->second.path, it->second.loop, it->second.volume);
        s.instances.erase(it);
    }
}

long long AudioEngine::getTickCount() {
    return state().ticks;
}

const std::vector<AudioEngine::LogEntry>& AudioEngine::getLog() {
    return state().log;
}

void AudioEngine::clearLog() {
    state().log.clear();
}

}  // namespace engine

#include "game/audio/NAudioManager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/audio/AudioEngine.h"
#include "engine/platform/UserDefault.h"

namespace vastomer {

namespace {

const char* kBgmVolumeKey = "BGMVolume";
const char* kSeVolumeKey = "SEVolume";

// A volume in 0..1; anything that is not a number (a damaged settings file) reads as `fallback`.
float clampVolume(float value, float fallback) {
    if (!std::isfinite(value)) return fallback;
    return std::clamp(value, 0.0f, 1.0f);
}

// A factor given by a caller (a track's or an effect's own volume) is kept as given; only a value
// that is not a number is replaced.
float finiteFactor(float value) {
    return std::isfinite(value) ? value : 1.0f;
}

// What the engine is asked to play at: the setting times the factor, clamped as a whole, so that a
// loud effect (factor 1.5) at a low setting (0.5) plays at 0.75 rather than at the setting.
float playedVolume(float setting, float factor) {
    return std::clamp(setting * factor, 0.0f, 1.0f);
}

}  // namespace

NAudioManager* NAudioManager::getInstance() {
    return engine::SingletonSlot<NAudioManager>::get();
}

void NAudioManager::destroyInstance() {
    engine::SingletonSlot<NAudioManager>::destroy();
}

NAudioManager::NAudioManager() {
    auto* settings = engine::UserDefault::getInstance();
    bgmVolume_ = clampVolume(settings->getFloatForKey(kBgmVolumeKey, DEFAULT_BGM_VOLUME), DEFAULT_BGM_VOLUME);
    seVolume_ = clampVolume(settings->getFloatForKey(kSeVolumeKey, DEFAULT_SE_VOLUME), DEFAULT_SE_VOLUME);
}

void NAudioManager::playBgm(const std::string& path, float trackVolume) {
    engine::AudioEngine::stopAll();
    trackVolume_ = finiteFactor(trackVolume);
    if (bgmId_ != -1) engine::AudioEngine::stop(bgmId_);
    // The name is kept even when the track cannot start, so that screens comparing it do not ask
    // again every time; the failure is told once per track.
    currentBgm_ = path;
    // The engine finds the file through the search paths itself; the name stays as the game gives it.
    bgmId_ = engine::AudioEngine::play2d(path, true, playedVolume(bgmVolume_, trackVolume_));
    if (bgmId_ == engine::AudioEngine::INVALID_AUDIO_ID && failedTracks_.insert(path).second)
        std::fprintf(stderr, "quorin: the music track %s cannot be played\n", path.c_str());
    forgetFinishedSe();
}

void NAudioManager::stopBgm() {
    if (bgmId_ != -1) engine::AudioEngine::stop(bgmId_);
    bgmId_ = -1;
    currentBgm_.clear();
}

int NAudioManager::playSe(const std::string& path, float volume) {
    forgetFinishedSe();
    int id = engine::AudioEngine::play2d(path, false, playedVolume(seVolume_, finiteFactor(volume)));
    if (id != engine::AudioEngine::INVALID_AUDIO_ID) seIds_.push_back(id);
    return id;
}

void NAudioManager::stopSe(int id) {
    auto found = std::find(seIds_.begin(), seIds_.end(), id);
    if (found == seIds_.end()) return;
    engine::AudioEngine::stop(id);
    seIds_.erase(found);
}

void NAudioManager::stopAllSe() {
    for (int id : seIds_)
        engine::AudioEngine::stop(id);
    seIds_.clear();
}

void NAudioManager::setBgmVolume(float trackVolume, float setting) {
    bgmVolume_ = clampVolume(setting, bgmVolume_);
    trackVolume_ = std::isfinite(trackVolume) ? trackVolume : trackVolume_;
    auto* settings = engine::UserDefault::getInstance();
    settings->setFloatForKey(kBgmVolumeKey, bgmVolume_);
    settings->flush();
    if (bgmId_ != -1) engine::AudioEngine::setVolume(bgmId_, playedVolume(bgmVolume_, trackVolume_));
}

void NAudioManager::setSeVolume(float setting) {
    seVolume_ = clampVolume(setting, seVolume_);
    auto* settings = engine::UserDefault::getInstance();
    settings->setFloatForKey(kSeVolumeKey, seVolume_);
    settings->flush();
}

const std::vector<int>& NAudioManager::getSeIds() {
    forgetFinishedSe();
    return seIds_;
}

void NAudioManager::forgetFinishedSe() {
    // The engine forgets a sound once it has ended (or was stopped by stopAll): its id is dead.
    seIds_.erase(std::remove_if(seIds_.begin(), seIds_.end(),
                                [](int id) {
                                    return engine::AudioEngine::getState(id) ==
                                           engine::AudioEngine::AudioState::ERROR;
                                }),
                 seIds_.end());
}

}  // namespace vastomer

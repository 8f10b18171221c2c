#include "engine/audio/MixerAudioBackend.h"

#include <SDL.h>

#include <cmath>

namespace engine {

namespace {

int mixVolume(float volume) {
    return static_cast<int>(std::lround(volume * MIX_MAX_VOLUME));
}

}  // namespace

MixerAudioBackend::~MixerAudioBackend() {
    close();
}

bool MixerAudioBackend::open() {
    if (opened_) return true;
    if (tryOpen()) return true;
    // No usable device (typically ALSA without a sound card): keep running with the silent driver.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    return tryOpen();
}

bool MixerAudioBackend::tryOpen() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(CHANNELS);
    channelOwner_.fill(-1);
    musicId_ = -1;
    opened_ = true;
    return true;
}

void MixerAudioBackend::close() {
    if (!opened_) return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    voices_.clear();
    channelOwner_.fill(-1);
    musicId_ = -1;
    uncacheAll();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    opened_ = false;
}

std::string MixerAudioBackend::driverName() const {
    const char* driver = opened_ ? SDL_GetCurrentAudioDriver() : nullptr;
    return driver ? driver : "";
}

Mix_Chunk* MixerAudioBackend::chunkFor(const std::string& path) {
    auto it = chunks_.find(path);
    if (it != chunks_.end()) return it->second;
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk) chunks_.emplace(path, chunk);
    return chunk;
}

Mix_Music* MixerAudioBackend::musicFor(const std::string& path) {
    auto it = musics_.find(path);
    if (it != musics_.end()) return it->second;
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (music) musics_.emplace(path, music);
    return music;
}

int MixerAudioBackend::freeChannel() const {
    for (int channel = 0; channel < CHANNELS; ++channel) {
        if (channelOwner_[channel] < 0 && !Mix_Playing(channel)) return channel;
    }
    return -1;
}

bool MixerAudioBackend::play(int id, const std::string& fullPath, bool loop, float volume) {
    if (!opened_) return false;
    if (loop && musicId_ < 0) {
        Mix_Music* music = musicFor(fullPath);
        if (music) {
            Mix_VolumeMusic(mixVolume(volume));
            if (Mix_PlayMusic(music, -1) == 0) {
                voices_[id] = Voice{-1, fullPath};
                musicId_ = id;
                return true;
            }
        }
    }
    Mix_Chunk* chunk = chunkFor(fullPath);
    int channel = freeChannel();
    if (!chunk || channel < 0) return false;
    // Channel volumes persist after a sound ends, so set this sound's before it starts.
    Mix_Volume(channel, mixVolume(volume));
    if (Mix_PlayChannel(channel, chunk, loop ? -1 : 0) < 0) return false;
    channelOwner_[channel] = id;
    voices_[id] = Voice{channel, fullPath};
    return true;
}

void MixerAudioBackend::forget(std::map<int, Voice>::iterator it) {
    if (it->second.channel >= 0) channelOwner_[it->second.channel] = -1;
    if (it->first == musicId_) musicId_ = -1;
    voices_.erase(it);
}

void MixerAudioBackend::stop(int id) {
    auto it = voices_.find(id);
    if (it == voices_.end()) return;
    if (it->second.channel >= 0) {
        Mix_HaltChannel(it->second.channel);
    } else {
        Mix_HaltMusic();
    }
    forget(it);
}

void MixerAudioBackend::setVolume(int id, float volume) {
    auto it = voices_.find(id);
    if (it == voices_.end()) return;
    if (it->second.channel >= 0) {
        Mix_Volume(it->second.channel, mixVolume(volume));
    } else {
        Mix_VolumeMusic(mixVolume(volume));
    }
}

std::vector<int> MixerAudioBackend::tick() {
    std::vector<int> ended;
    for (auto it = voices_.begin(); it != voices_.end();) {
        auto current = it++;
        const Voice& voice = current->second;
        bool playing = voice.channel >= 0 ? Mix_Playing(voice.channel) != 0 : Mix_PlayingMusic() != 0;
        if (playing) continue;
        // Looping sounds end only when the stream fails; either way the id is over.
        ended.push_back(current->first);
        forget(current);
    }
    return ended;
}

void MixerAudioBackend::uncacheAll() {
    // Freeing a chunk or a stream that is playing is not allowed: those stay cached.
    auto inUse = [this](const std::string& path) {
        for (const auto& [id, voice] : voices_) {
            if (voice.path == path) return true;
        }
        return false;
    };
    for (auto it = chunks_.begin(); it != chunks_.end();) {
        if (inUse(it->first)) {
            ++it;
            continue;
        }
        Mix_FreeChunk(it->second);
        it = chunks_.erase(it);
    }
    for (auto it = musics_.begin(); it != musics_.end();) {
        if (inUse(it->first)) {
            ++it;
            continue;
        }
        Mix_FreeMusic(it->second);
        it = musics_.erase(it);
    }
}

}  // namespace engine

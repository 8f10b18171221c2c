#pragma once

#include <set>
#include <string>
#include <vector>

#include "engine/base/SingletonSlot.h"

namespace vastomer {

// Plays the one background-music track and the sound effects, scaled by the two volume settings
// that the options screen changes and the settings store keeps ("BGMVolume", "SEVolume").
class NAudioManager {
public:
    static constexpr float DEFAULT_BGM_VOLUME = 1.0f;
    static constexpr float DEFAULT_SE_VOLUME = 0.7f;

    // The one instance, made on first use (GameServices makes and destroys it in the program's order);
    // a new instance reads the volume settings again.
    static NAudioManager* getInstance();
    static void destroyInstance();

    NAudioManager(const NAudioManager&) = delete;
    NAudioManager& operator=(const NAudioManager&) = delete;

    virtual std::string getCurrentBgm() const { return currentBgm_; }
    virtual float getTrackVolume() const { return trackVolume_; }
    virtual float getBgmVolume() const { return bgmVolume_; }
    virtual float getSeVolume() const { return seVolume_; }
    virtual ~NAudioManager() = default;

    // Starts a looping track (always from its start), silencing every sound that plays. It plays at
    // the music setting times `trackVolume`, the product clamped to 0..1; the track volume is kept
    // as given. The track's name becomes current even when it cannot start (told once on stderr).
    void playBgm(const std::string& path, float trackVolume = 1.0f);
    // Stops the track and forgets its name, so that the next playBgm of any track starts it.
    void stopBgm();
    // Plays an effect once at the effect setting times `volume` (the product clamped to 0..1);
    // returns its id (-1 if it could not start).
    int playSe(const std::string& path, float volume = 1.0f);
    // Stops one effect started here; ids of other sounds (the music) are left alone.
    void stopSe(int id);
    void stopAllSe();

    // The setting is clamped to 0..1 and stored, the track volume kept as given; the playing track
    // follows at once.
    void setBgmVolume(float trackVolume, float setting);
    // Clamped to 0..1 and stored; effects already playing keep their volume.
    void setSeVolume(float setting);

    int getBgmId() const { return bgmId_; }
    // Ids of the effects still playing (finished ones are dropped first).
    const std::vector<int>& getSeIds();

private:
    friend class engine::SingletonSlot<NAudioManager>;
    NAudioManager();
    void forgetFinishedSe();

    std::string currentBgm_;
    std::vector<int> seIds_;
    int bgmId_ = -1;
    float trackVolume_ = 1.0f;
    float bgmVolume_ = DEFAULT_BGM_VOLUME;
    float seVolume_ = DEFAULT_SE_VOLUME;
    // Tracks that could not start, told once each.
    std::set<std::string> failedTracks_;
};

}  // namespace vastomer

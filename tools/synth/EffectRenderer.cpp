#include "tools/synth/EffectRenderer.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/StereoBuffer.h"
#include "tools/synth/Voice.h"

namespace synth {

std::vector<float> EffectRenderer::render(const SoundEffect& effect, double sampleRate) {
    std::vector<float> mix;
    const double gain = std::pow(10.0, effect.gainDb / 20.0);
    StereoBuffer sound;
    for (const auto& patch : effect.voices) {
        const Voice voice(patch, sampleRate);
        VoiceNote note;
        note.midi = patch.pitch.value_or(69.0);
        note.gate = patch.attack + patch.decay + patch.hold;
        note.seed = patch.seed;
        voice.render(note, sound);
        if (mix.size() < sound.frames()) mix.resize(sound.frames(), 0.0f);
        for (std::size_t i = 0; i < sound.frames(); ++i)
            mix[i] += static_cast<float>(sound.left[i] * gain);
    }
    return mix;
}

}  // namespace synth

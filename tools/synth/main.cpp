// quorin-synth: renders a sound effect (.sfx) or a music score (.mus) and encodes it to MP3.
//
//   quorin-synth [--once] [--report] [--wav FILE] SOURCE OUTPUT.mp3
//
// --once    play a score from the top once, intro included, instead of the loop the game repeats
// --report  print the length and levels of the result
// --wav     also write the rendered sound, before encoding, as a WAV file
//
// Mistakes in a source are reported as "file:line: message" with exit status 1; other failures exit 2.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/synth/EffectParser.h"
#include "tools/synth/EffectRenderer.h"
#include "tools/synth/Levels.h"
#include "tools/synth/Mp3Writer.h"
#include "tools/synth/ScoreParser.h"
#include "tools/synth/ScoreRenderer.h"
#include "tools/synth/SourceError.h"
#include "tools/synth/WavWriter.h"

namespace {

using namespace synth;

constexpr int MUSIC_KBPS = 128;
constexpr int EFFECT_KBPS = 64;
// Effects are mixed by hand; anything louder than this leaves no room for the encoder's overshoot.
constexpr double EFFECT_CEILING_DB = -1.0;

struct Options {
    bool once = false;
    bool report = false;
    std::string wav;
    std::string source;
    std::string output;
};

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool readOptions(int argc, char** argv, Options& options) {
    std::vector<std::string> plain;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--once") {
            options.once = true;
        } else if (arg == "--report") {
            options.report = true;
        } else if (arg == "--wav" && i + 1 < argc) {
            options.wav = argv[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return false;
        } else {
            plain.push_back(arg);
        }
    }
    if (plain.size() != 2) return false;
    options.source = plain[0];
    options.output = plain[1];
    return true;
}

int run(const Options& options) {
    std::ifstream in(options.source);
    if (!in) {
        std::cerr << "quorin-synth: cannot open " << options.source << "\n";
        return 2;
    }
    StereoBuffer audio;
    bool stereo = false;
    int kbps = EFFECT_KBPS;
    if (endsWith(options.source, ".mus")) {
        const Score score = ScoreParser::parse(in, options.source);
        const ScoreRenderer renderer(score, Mp3Writer::SAMPLE_RATE);
        audio = options.once ? renderer.renderOnce() : renderer.renderLoop();
        stereo = true;
        kbps = MUSIC_KBPS;
    } else if (endsWith(options.source, ".sfx")) {
        const SoundEffect effect = EffectParser::parse(in, options.source);
        audio.left = EffectRenderer::render(effect, Mp3Writer::SAMPLE_RATE);
        audio.right = audio.left;
        const double peak = Levels::measure(audio.left).peakDb;
        if (peak > EFFECT_CEILING_DB) {
            char text[96];
            std::snprintf(text, sizeof text, "too loud: peak %.1f dBFS, above %.0f dBFS; lower 'gain'", peak,
                          EFFECT_CEILING_DB);
            throw SourceError(options.source, 0, text);
        }
    } else {
        std::cerr << "quorin-synth: " << options.source << ": expected a .sfx or .mus source\n";
        return 2;
    }
    if (!options.wav.empty()) WavWriter::save(options.wav, audio, stereo, Mp3Writer::SAMPLE_RATE);
    const bool loop = stereo && !options.once;
    Mp3Writer::save(options.output, Mp3Writer::encode(audio, stereo, kbps, loop));
    if (options.report) {
        const Levels left = Levels::measure(audio.left);
        const Levels right = Levels::measure(audio.right);
        std::printf("%s: %.3f s (%zu frames), peak %.1f/%.1f dBFS, rms %.1f/%.1f dBFS\n",
                    options.output.c_str(), static_cast<double>(audio.frames()) / Mp3Writer::SAMPLE_RATE,
                    audio.frames(), left.peakDb, right.peakDb, left.rmsDb, right.rmsDb);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!readOptions(argc, argv, options)) {
        std::cerr << "usage: quorin-synth [--once] [--report] [--wav FILE] SOURCE.(sfx|mus) OUTPUT.mp3\n";
        return 2;
    }
    try {
        return run(options);
    } catch (const SourceError& error) {
        std::cerr << error.what() << "\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "quorin-synth: " << options.source << ": " << error.what() << "\n";
        return 2;
    }
}

#include "tools/synth/PatchParser.h"

namespace synth {

namespace {

constexpr double LONGEST = 60.0;  // seconds; no single setting needs more
constexpr double TOP_HZ = 20000.0;

Wave readWave(LineCursor& line) {
    const std::string name = line.word("a waveform");
    if (name == "square") return Wave::Square;
    if (name == "triangle") return Wave::Triangle;
    if (name == "saw") return Wave::Saw;
    if (name == "sine") return Wave::Sine;
    if (name == "noise") return Wave::Noise;
    line.fail("unknown waveform '" + name + "' (square, triangle, saw, sine or noise)");
}

// "<value> [to <value>]": a fixed setting or a sweep across the sound.
void readSweep(LineCursor& line, const std::string& what, double low, double high, double& start,
               double& end) {
    start = line.number(what, low, high);
    end = line.accept("to") ? line.number("the end " + what, low, high) : start;
}

void readArpeggio(LineCursor& line, VoicePatch& patch) {
    patch.arpeggio.clear();
    while (!line.done() && !line.accept("every")) {
        patch.arpeggio.push_back(line.number("an interval", -48.0, 48.0));
    }
    if (patch.arpeggio.empty()) line.fail("'arp' needs intervals, as in 'arp 0 4 7 every 0.05'");
    patch.arpeggioStep = line.number("a step time after 'every'", 0.001, LONGEST);
    patch.arpeggioLoops = line.accept("loop");
}

}  // namespace

bool PatchParser::apply(LineCursor& line, VoicePatch& patch) {
    const std::string& key = line.key();
    if (key == "wave") {
        patch.wave = readWave(line);
    } else if (key == "duty") {
        readSweep(line, "duty", 0.02, 0.98, patch.duty, patch.dutyEnd);
    } else if (key == "pitch") {
        patch.pitch = line.pitch("a pitch");
    } else if (key == "transpose") {
        patch.transpose = line.number("semitones", -48.0, 48.0);
    } else if (key == "slide") {
        patch.slideSemitones = line.number("semitones", -96.0, 96.0);
        patch.slideSeconds = line.number("a time", 0.001, LONGEST);
    } else if (key == "vibrato") {
        patch.vibratoDepth = line.number("a depth in semitones", 0.0, 12.0);
        patch.vibratoRate = line.number("a rate in Hz", 0.0, 50.0);
        patch.vibratoDelay = line.accept("after") ? line.number("a delay", 0.0, LONGEST) : 0.0;
    } else if (key == "arp") {
        readArpeggio(line, patch);
    } else if (key == "repeat") {
        patch.repeat = line.number("a time", 0.005, LONGEST);
    } else if (key == "attack") {
        patch.attack = line.number("a time", 0.0, LONGEST);
    } else if (key == "decay") {
        patch.decay = line.number("a time", 0.0, LONGEST);
    } else if (key == "sustain") {
        patch.sustain = line.number("a level", 0.0, 1.0);
    } else if (key == "hold") {
        patch.hold = line.number("a time", 0.0, LONGEST);
    } else if (key == "release") {
        patch.release = line.number("a time", 0.0, LONGEST);
    } else if (key == "lowpass") {
        readSweep(line, "cutoff", 20.0, TOP_HZ, patch.lowpass, patch.lowpassEnd);
    } else if (key == "highpass") {
        readSweep(line, "cutoff", 20.0, TOP_HZ, patch.highpass, patch.highpassEnd);
    } else if (key == "resonance") {
        patch.resonance = line.number("an amount", 0.0, 1.0);
    } else if (key == "volume") {
        patch.volume = line.number("a level", 0.0, 4.0);
    } else if (key == "delay") {
        patch.delay = line.number("a time", 0.0, LONGEST);
    } else if (key == "unison") {
        const double count = line.number("a count", 1.0, 8.0);
        patch.unison = static_cast<int>(count);
        if (patch.unison != count) line.fail("'unison' must be a whole number");
    } else if (key == "detune") {
        patch.detune = line.number("cents", 0.0, 100.0);
    } else if (key == "spread") {
        patch.spread = line.number("a width", 0.0, 1.0);
    } else if (key == "seed") {
        patch.seed = static_cast<std::uint32_t>(line.number("a number", 1.0, 1.0e9));
    } else {
        return false;
    }
    line.finish();
    return true;
}

}  // namespace synth

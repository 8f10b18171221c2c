#include "tools/synth/ScoreParser.h"

#include <map>

#include "tools/synth/LineCursor.h"
#include "tools/synth/PartReader.h"
#include "tools/synth/PatchParser.h"
#include "tools/synth/SourceReader.h"

namespace synth {

namespace {

struct Pattern {
    std::int64_t length = 0;
    std::vector<NoteEvent> events;
};

class Reader {
public:
    Reader(std::istream& in, const std::string& file) : source_(in, file) {}

    Score read();

private:
    void readSetting(LineCursor& line);
    void readInstrument(LineCursor& header);
    void readPattern(LineCursor& header);
    void play(LineCursor& line);
    int findInstrument(const std::string& name) const;
    // Next line inside a block opened at `opened`; false at its "end".
    bool nextInBlock(SourceLine& line, const std::string& block, int opened);

    SourceReader source_;
    Score score_;
    std::int64_t gridTicks_ = Score::TICKS_PER_BEAT / 4;
    std::map<std::string, Pattern> patterns_;
    int firstPlayLine_ = 0;
    int loopLine_ = 0;
};

bool Reader::nextInBlock(SourceLine& line, const std::string& block, int opened) {
    if (!source_.next(line)) source_.fail(opened, "'" + block + "' has no 'end'");
    if (line.words[0] != "end") return true;
    if (line.words.size() > 1) source_.fail(line.number, "unexpected '" + line.words[1] + "' after 'end'");
    return false;
}

int Reader::findInstrument(const std::string& name) const {
    for (std::size_t i = 0; i < score_.instruments.size(); ++i) {
        if (score_.instruments[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

void Reader::readSetting(LineCursor& line) {
    const std::string& key = line.key();
    if (key == "tempo") {
        score_.tempo = line.number("beats per minute", 20.0, 400.0);
    } else if (key == "meter") {
        const double beats = line.number("beats per bar", 1.0, 16.0);
        score_.meter = static_cast<int>(beats);
        if (score_.meter != beats) line.fail("'meter' must be a whole number of beats");
    } else if (key == "grid") {
        const std::string text = line.word("a step length");
        if (!PartReader::parseLength(text, gridTicks_)) line.fail("bad step length '" + text + "'");
    } else if (key == "echo") {
        score_.echoBeats = line.number("a time in beats", 0.05, 4.0);
        score_.echoFeedback = line.number("a feedback", 0.0, 0.9);
    } else if (key == "reverb") {
        score_.reverbSeconds = line.number("a decay time", 0.1, 10.0);
    } else if (key == "peak") {
        score_.peakDb = line.number("a level in dBFS", -24.0, -1.0);
    } else {
        line.fail("unknown setting '" + key + "'");
    }
    line.finish();
}

void Reader::readInstrument(LineCursor& header) {
    Instrument instrument;
    instrument.name = header.word("a name");
    header.finish();
    if (findInstrument(instrument.name) >= 0)
        header.fail("instrument '" + instrument.name + "' is defined twice");
    const std::string block = "instrument " + instrument.name;
    SourceLine line;
    while (nextInBlock(line, block, header.lineNumber())) {
        LineCursor cursor(source_, line);
        const std::string& key = cursor.key();
        if (key == "voice") {
            cursor.finish();
            instrument.layers.emplace_back();
            instrument.layers.back().seed = static_cast<std::uint32_t>(instrument.layers.size());
            continue;
        }
        if (key == "pan" || key == "gate" || key == "echo" || key == "reverb") {
            double& target = key == "pan"    ? instrument.pan
                             : key == "gate" ? instrument.gate
                             : key == "echo" ? instrument.echo
                                             : instrument.reverb;
            target = cursor.number("an amount", key == "pan" ? -1.0 : 0.0, key == "gate" ? 4.0 : 1.0);
            cursor.finish();
            continue;
        }
        if (key == "hold")
            cursor.fail("'hold' is for sound effects: notes are held for their written length");
        if (instrument.layers.empty()) instrument.layers.emplace_back();
        if (!PatchParser::apply(cursor, instrument.layers.back()))
            cursor.fail("unknown setting '" + key + "'");
    }
    if (instrument.layers.empty())
        source_.fail(header.lineNumber(), "instrument '" + instrument.name + "' is empty");
    score_.instruments.push_back(std::move(instrument));
}

void Reader::readPattern(LineCursor& header) {
    const std::string name = header.word("a name");
    header.finish();
    if (patterns_.count(name) != 0) header.fail("pattern '" + name + "' is defined twice");
    const std::int64_t barTicks = score_.meter * Score::TICKS_PER_BEAT;
    Pattern pattern;
    std::map<std::string, PartReader> parts;
    SourceLine line;
    while (nextInBlock(line, "pattern " + name, header.lineNumber())) {
        // A part is named by its instrument; "lead:2" is a second part played by the same instrument.
        const std::string& partName = line.words[0];
        const std::string instrumentName = partName.substr(0, partName.find(':'));
        const int instrument = findInstrument(instrumentName);
        if (instrument < 0) source_.fail(line.number, "unknown instrument '" + instrumentName + "'");
        auto part = parts.find(partName);
        if (part == parts.end()) {
            bool hasOwnPitch = true;
            for (const auto& layer : score_.instruments[instrument].layers)
                hasOwnPitch &= layer.pitch.has_value();
            part = parts.emplace(partName, PartReader(instrument, hasOwnPitch, gridTicks_, barTicks)).first;
        }
        part->second.read(line.words, 1, source_, line.number, pattern.events);
        pattern.length = std::max(pattern.length, part->second.position());
    }
    for (const auto& [partName, part] : parts) {
        if (part.position() != pattern.length) {
            source_.fail(part.lastLine(),
                         "part '" + partName + "' ends before the rest of pattern '" + name + "'");
        }
    }
    if (pattern.length == 0 || pattern.length % barTicks != 0) {
        source_.fail(header.lineNumber(), "pattern '" + name + "' is not a whole number of bars");
    }
    patterns_.emplace(name, std::move(pattern));
}

void Reader::play(LineCursor& line) {
    if (score_.tempo <= 0.0) line.fail("'play' needs a 'tempo' line before it");
    if (firstPlayLine_ == 0) firstPlayLine_ = line.lineNumber();
    if (line.done()) line.fail("'play' needs pattern names");
    while (!line.done()) {
        // "name^5" plays the pattern five semitones higher, "name^-2" two lower (steps keep their pitch).
        const std::string word = line.word("a pattern name");
        const auto caret = word.find('^');
        double transpose = 0.0;
        if (caret != std::string::npos && !LineCursor::parseNumber(word.substr(caret + 1), transpose)) {
            line.fail("bad transposition in '" + word + "'");
        }
        const auto found = patterns_.find(word.substr(0, caret));
        if (found == patterns_.end()) line.fail("unknown pattern '" + word.substr(0, caret) + "'");
        for (NoteEvent event : found->second.events) {
            event.tick += score_.endTick;
            if (event.midi) *event.midi += transpose;
            score_.events.push_back(event);
        }
        score_.endTick += found->second.length;
    }
}

Score Reader::read() {
    SourceLine line;
    while (source_.next(line)) {
        LineCursor cursor(source_, line);
        const std::string& key = cursor.key();
        if (key == "instrument") {
            readInstrument(cursor);
        } else if (key == "pattern") {
            readPattern(cursor);
        } else if (key == "play") {
            play(cursor);
        } else if (key == "loop") {
            cursor.finish();
            if (loopLine_ != 0) cursor.fail("second 'loop': a score has one loop point");
            loopLine_ = line.number;
            score_.loopTick = score_.endTick;
        } else {
            readSetting(cursor);
        }
    }
    if (score_.tempo <= 0.0) source_.fail(source_.lastLine(), "no 'tempo' given");
    if (firstPlayLine_ == 0) source_.fail(source_.lastLine(), "nothing to play: add a 'play' line");
    if (score_.loopTick == score_.endTick) source_.fail(loopLine_, "nothing is played after 'loop'");
    return score_;
}

}  // namespace

Score ScoreParser::parse(std::istream& in, const std::string& file) {
    return Reader(in, file).read();
}

}  // namespace synth

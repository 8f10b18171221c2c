#include "tools/synth/PartReader.h"

#include <string>

#include "tools/synth/Pitch.h"

namespace synth {

namespace {

// Loudness of the step characters: accent, normal, ghost.
constexpr double ACCENT = 1.0;
constexpr double NORMAL = 0.7;
constexpr double GHOST = 0.4;

std::string beatsText(std::int64_t ticks) {
    const std::int64_t whole = ticks / Score::TICKS_PER_BEAT;
    const std::int64_t rest = ticks % Score::TICKS_PER_BEAT;
    if (rest == 0) return std::to_string(whole);
    return std::to_string(whole) + " " + std::to_string(rest) + "/" + std::to_string(Score::TICKS_PER_BEAT);
}

}  // namespace

PartReader::PartReader(int instrument, bool hasOwnPitch, std::int64_t gridTicks, std::int64_t barTicks)
    : instrument_(instrument), hasOwnPitch_(hasOwnPitch), gridTicks_(gridTicks), barTicks_(barTicks) {}

bool PartReader::parseLength(const std::string& text, std::int64_t& ticks) {
    if (text.empty()) return true;
    std::int64_t value = 0;
    switch (text[0]) {
        case 'w':
            value = 4 * Score::TICKS_PER_BEAT;
            break;
        case 'h':
            value = 2 * Score::TICKS_PER_BEAT;
            break;
        case 'q':
            value = Score::TICKS_PER_BEAT;
            break;
        case 'e':
            value = Score::TICKS_PER_BEAT / 2;
            break;
        case 's':
            value = Score::TICKS_PER_BEAT / 4;
            break;
        case 't':
            value = Score::TICKS_PER_BEAT / 8;
            break;
        default:
            return false;
    }
    std::size_t i = 1;
    if (i < text.size() && text[i] == '3') {
        value = value * 2 / 3;
        ++i;
    }
    std::int64_t added = value;
    for (; i < text.size(); ++i) {
        if (text[i] != '.' || added % 2 != 0) return false;
        added /= 2;
        value += added;
    }
    ticks = value;
    return true;
}

std::int64_t PartReader::readLength(const std::string& text, const SourceReader& reader, int line) {
    if (!parseLength(text, length_)) {
        reader.fail(line,
                    "bad note length '" + text + "' (w h q e s t, then 3 for a triplet, '.' for a dot)");
    }
    return length_;
}

void PartReader::addNotes(const std::vector<double>& pitches, std::int64_t length,
                          std::vector<NoteEvent>& events) {
    sounding_.clear();
    for (const double midi : pitches) {
        sounding_.push_back(events.size());
        events.push_back({instrument_, position_, length, midi, 1.0});
    }
    position_ += length;
}

void PartReader::readSteps(const std::string& word, const SourceReader& reader, int line,
                           std::vector<NoteEvent>& events) {
    if (!hasOwnPitch_) reader.fail(line, "steps need an instrument with a 'pitch' in every voice");
    for (const char c : word) {
        if (c == '.') {
            sounding_.clear();
        } else if (c == '-') {
            if (sounding_.empty()) reader.fail(line, "'-' in '" + word + "' has no step before it to hold");
            for (const auto index : sounding_)
                events[index].length += gridTicks_;
        } else {
            const double velocity = c == 'X' ? ACCENT : c == 'x' ? NORMAL : GHOST;
            sounding_.assign(1, events.size());
            events.push_back({instrument_, position_, gridTicks_, std::nullopt, velocity});
        }
        position_ += gridTicks_;
    }
}

void PartReader::readChord(const std::string& chord, const SourceReader& reader, int line,
                           std::vector<NoteEvent>& events) {
    const auto close = chord.find(']');
    if (close == std::string::npos) reader.fail(line, "chord '" + chord + "' has no closing ']'");
    std::vector<double> pitches;
    std::string name;
    const auto takeName = [&]() {
        if (name.empty()) return;
        std::size_t used = 0;
        const auto midi = Pitch::readName(name, used);
        if (!midi || used != name.size())
            reader.fail(line, "bad note '" + name + "' in chord '" + chord + "'");
        pitches.push_back(*midi);
        name.clear();
    };
    for (std::size_t i = 1; i < close; ++i) {
        if (chord[i] == ' ') {
            takeName();
        } else {
            name += chord[i];
        }
    }
    takeName();
    if (pitches.empty()) reader.fail(line, "empty chord '" + chord + "'");
    addNotes(pitches, readLength(chord.substr(close + 1), reader, line), events);
}

void PartReader::read(const std::vector<std::string>& words, std::size_t first, const SourceReader& reader,
                      int line, std::vector<NoteEvent>& events) {
    lastLine_ = line;
    for (std::size_t i = first; i < words.size(); ++i) {
        if (words[i][0] == '(') {
            // A group "(re [A4 C5]e)*4": the words up to the ')' played as many times as the count says.
            std::vector<std::string> inner;
            std::string rest = words[i].substr(1);
            while (rest.find(')') == std::string::npos) {
                if (!rest.empty()) inner.push_back(rest);
                if (i + 1 >= words.size()) reader.fail(line, "group has no closing ')'");
                rest = words[++i];
            }
            const auto close = rest.find(')');
            if (close > 0) inner.push_back(rest.substr(0, close));
            const std::string suffix = rest.substr(close + 1);
            for (const auto& word : inner) {
                if (word[0] == '(') reader.fail(line, "groups cannot be nested");
            }
            if (inner.empty()) reader.fail(line, "empty group");
            const int times = repeatCount(suffix, reader, line);
            for (int repeat = 0; repeat < times; ++repeat)
                read(inner, 0, reader, line, events);
        } else if (words[i][0] == '[') {
            // A chord's notes may be written with spaces between them: gather the words up to the ']'.
            std::string chord = words[i];
            while (chord.find(']') == std::string::npos && i + 1 < words.size())
                chord += " " + words[++i];
            readWord(chord, reader, line, events);
        } else {
            readWord(words[i], reader, line, events);
        }
    }
}

int PartReader::repeatCount(const std::string& suffix, const SourceReader& reader, int line) {
    if (suffix.empty()) return 1;
    const std::string count = suffix.substr(1);
    const bool digits = suffix[0] == '*' && !count.empty() && count.size() <= 3 &&
                        count.find_first_not_of("0123456789") == std::string::npos;
    const int times = digits ? std::stoi(count) : 0;
    if (times < 1) reader.fail(line, "bad repeat count '" + suffix + "' (a '*' and a number from 1)");
    return times;
}

void PartReader::readWord(const std::string& written, const SourceReader& reader, int line,
                          std::vector<NoteEvent>& events) {
    // "word*N" plays the word N times over.
    std::string word = written;
    int times = 1;
    const auto star = written.rfind('*');
    if (star != std::string::npos && written.find(']', star) == std::string::npos) {
        word = written.substr(0, star);
        if (word.empty()) reader.fail(line, "nothing to repeat in '" + written + "'");
        times = repeatCount(written.substr(star), reader, line);
    }
    for (int repeat = 0; repeat < times; ++repeat) {
        if (word == "|") {
            if (position_ % barTicks_ != 0) {
                reader.fail(line, "bar line after " + beatsText(position_ % barTicks_) + " beats of a " +
                                      beatsText(barTicks_) + "-beat bar");
            }
        } else if (word[0] == '[') {
            readChord(word, reader, line, events);
        } else if (word[0] == 'r') {
            sounding_.clear();
            position_ += readLength(word.substr(1), reader, line);
        } else if (word[0] == '~') {
            if (sounding_.empty()) reader.fail(line, "tie '" + word + "' has no note before it");
            const std::int64_t length = readLength(word.substr(1), reader, line);
            for (const auto index : sounding_)
                events[index].length += length;
            position_ += length;
        } else if (word.find_first_not_of("xXo.-") == std::string::npos) {
            readSteps(word, reader, line, events);
        } else {
            std::size_t used = 0;
            const auto midi = Pitch::readName(word, used);
            if (!midi)
                reader.fail(line, "bad note '" + word + "' (a note is a letter A-G, '#' or 'b', an octave)");
            addNotes({static_cast<double>(*midi)}, readLength(word.substr(used), reader, line), events);
        }
    }
}

}  // namespace synth

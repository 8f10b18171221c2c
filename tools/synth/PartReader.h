#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/synth/Score.h"
#include "tools/synth/SourceReader.h"

namespace synth {

// Reads the notes of one part (an instrument's line) inside a pattern, keeping its running position, its
// current note length and the last notes played (for ties) from one line of the part to the next.
//
// Words: notes "C5q" "F#4e." "Bb3" (length optional: the last one is kept), rests "rq", ties "~h" (hold the
// previous notes longer), chords "[C4 E4 G4]h", step grids "x.x.X..o" (one step per character, see
// README.md) and bar lines "|" (checked to fall on a bar boundary). "word*N" repeats a word N times,
// "(words)*N" a group of words.
class PartReader {
public:
    PartReader(int instrument, bool hasOwnPitch, std::int64_t gridTicks, std::int64_t barTicks);

    // Reads words[first..] of a source line and appends the notes to `events` (ticks from the pattern start).
    void read(const std::vector<std::string>& words, std::size_t first, const SourceReader& reader, int line,
              std::vector<NoteEvent>& events);

    // Reads a note length: w h q e s t (whole to thirty-second), then '3' for a triplet and '.' for each
    // dot, as in "q." or "e3". Empty text keeps `ticks`. False if the text is not a length.
    static bool parseLength(const std::string& text, std::int64_t& ticks);

    std::int64_t position() const { return position_; }
    int lastLine() const { return lastLine_; }

private:
    void readWord(const std::string& word, const SourceReader& reader, int line,
                  std::vector<NoteEvent>& events);
    static int repeatCount(const std::string& suffix, const SourceReader& reader, int line);
    std::int64_t readLength(const std::string& text, const SourceReader& reader, int line);
    void addNotes(const std::vector<double>& pitches, std::int64_t length, std::vector<NoteEvent>& events);
    void readSteps(const std::string& word, const SourceReader& reader, int line,
                   std::vector<NoteEvent>& events);
    void readChord(const std::string& chord, const SourceReader& reader, int line,
                   std::vector<NoteEvent>& events);

    int instrument_;
    bool hasOwnPitch_;
    std::int64_t gridTicks_;
    std::int64_t barTicks_;
    std::int64_t position_ = 0;
    std::int64_t length_ = Score::TICKS_PER_BEAT;
    std::vector<std::size_t> sounding_;  // events a tie would lengthen
    int lastLine_ = 0;
};

}  // namespace synth

#pragma once

#include <cstddef>
#include <string>

#include "tools/synth/SourceReader.h"

namespace synth {

// Walks the words of one source line after its key word, turning them into checked values. Every problem
// is reported as a SourceError at that line.
class LineCursor {
public:
    LineCursor(const SourceReader& reader, const SourceLine& line);

    const std::string& key() const { return line_.words[0]; }
    int lineNumber() const { return line_.number; }
    bool done() const { return next_ >= line_.words.size(); }

    // The next word; fails with "missing <what>" at the end of the line.
    std::string word(const std::string& what);
    // The next word as a number within [low, high]. Numbers use '.' as decimal point whatever the locale.
    double number(const std::string& what, double low, double high);
    // The next word as a pitch: a note name ("A4", "F#5") or a frequency in Hz ("440").
    double pitch(const std::string& what);
    // Takes the next word if it equals `expected`.
    bool accept(const std::string& expected);
    // Fails unless every word was used.
    void finish() const;

    [[noreturn]] void fail(const std::string& message) const;

    // Parses a whole word as a decimal number; false if it is not one.
    static bool parseNumber(const std::string& text, double& value);

private:
    const SourceReader& reader_;
    const SourceLine& line_;
    std::size_t next_ = 1;
};

}  // namespace synth

#include "tools/synth/LineCursor.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "tools/synth/Pitch.h"

namespace synth {

namespace {

std::string show(double value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

}  // namespace

LineCursor::LineCursor(const SourceReader& reader, const SourceLine& line) : reader_(reader), line_(line) {}

std::string LineCursor::word(const std::string& what) {
    if (done()) fail("'" + key() + "' is missing " + what);
    return line_.words[next_++];
}

bool LineCursor::parseNumber(const std::string& text, double& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    const auto result = std::from_chars(first, last, value, std::chars_format::fixed);
    return result.ec == std::errc() && result.ptr == last && std::isfinite(value);
}

double LineCursor::number(const std::string& what, double low, double high) {
    const std::string text = word(what);
    double value = 0.0;
    if (!parseNumber(text, value))
        fail("'" + key() + "' expects a number for " + what + ", not '" + text + "'");
    if (value < low || value > high) {
        fail("'" + key() + "' " + what + " must be between " + show(low) + " and " + show(high) + ", not " +
             text);
    }
    return value;
}

double LineCursor::pitch(const std::string& what) {
    const std::string text = word(what);
    std::size_t used = 0;
    const auto midi = Pitch::readName(text, used);
    if (midi && used == text.size()) return *midi;
    double hz = 0.0;
    if (parseNumber(text, hz) && hz >= 1.0 && hz <= 100000.0) return Pitch::fromHz(hz);
    fail("'" + key() + "' expects a note name (like A4 or F#5) or a frequency in Hz for " + what + ", not '" +
         text + "'");
}

bool LineCursor::accept(const std::string& expected) {
    if (done() || line_.words[next_] != expected) return false;
    ++next_;
    return true;
}

void LineCursor::finish() const {
    if (!done()) fail("unexpected '" + line_.words[next_] + "' after '" + key() + "'");
}

void LineCursor::fail(const std::string& message) const {
    reader_.fail(line_.number, message);
}

}  // namespace synth

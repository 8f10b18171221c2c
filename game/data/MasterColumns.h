#pragma once

#include <string>

#include "game/data/Diagnostics.h"
#include "game/data/MasterText.h"

namespace vastomer {

// Reads the typed columns of one data line and reports what is wrong with them. A column that
// cannot be read (no number, a number beyond 32 bits, a column the line does not have) marks the
// line as bad: the loaders then skip the whole line rather than store a half-read record.
// Columns are counted from 0 in code and shown from 1 in messages.
class MasterColumns {
public:
    // `dropped` ends the message of a problem that drops the line ("line skipped" in tables).
    MasterColumns(const MasterLine& line, const std::string& file, Diagnostics* diagnostics,
                  const char* dropped = "line skipped");

    std::size_t count() const { return line_.fields.size(); }
    int lineNumber() const { return line_.number; }
    // False (and reported) when the line has fewer than `needed` columns.
    bool require(std::size_t needed);
    // Reports columns beyond `expected`, which the table does not read.
    void ignoreBeyond(std::size_t expected);

    // Leading integer; text after the number is ignored and reported.
    int integer(std::size_t column, const char* name);
    // Leading decimal number.
    float real(std::size_t column, const char* name);
    // True only for exactly "true"; texts other than "true" and "false" are reported (read as false).
    bool flag(std::size_t column, const char* name);
    // The column as it stands.
    std::string text(std::size_t column, const char* name);

    // True while every column read so far could be read.
    bool good() const { return good_; }
    // Reports a problem of this line without dropping it.
    void note(const std::string& message);
    // Reports a problem that drops the line.
    void fail(const std::string& message);

private:
    bool present(std::size_t column, const char* name);
    std::string where(std::size_t column, const char* name) const;

    const MasterLine& line_;
    const std::string& file_;
    Diagnostics* diagnostics_;
    const char* dropped_;
    bool good_ = true;
};

}  // namespace vastomer

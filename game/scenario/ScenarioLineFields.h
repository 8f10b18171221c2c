#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "game/scenario/ScenarioCommand.h"

namespace vastomer {

class Diagnostics;

// The fields of one scenario script line (field 0 is the keyword), read by the kinds the command
// forms name. A field that cannot be read as its kind is 0 and reported against the line; callers
// check `has` or `require` before reading a field, so nothing is read past the line's end.
class ScenarioLineFields {
public:
    // Keeps references: the fields and the path must outlive the reader.
    ScenarioLineFields(const std::vector<std::string>& fields, int line, const std::string& path,
                       Diagnostics* diagnostics);

    std::size_t count() const { return fields_.size(); }
    bool has(std::size_t index) const { return index < fields_.size(); }
    bool is(std::size_t index, const char* text) const { return has(index) && fields_[index] == text; }

    // False (and reported, "line skipped") when the line has fewer than `needed` fields, keyword
    // included; `form` names the form in the report.
    bool require(std::size_t needed, const char* form);
    // Reports the fields after the first `read` ones, which the form does not read.
    void ignoreBeyond(std::size_t read);
    // Reports a sub-keyword at `index` that matches none of the forms after `after`.
    void unknownWord(std::size_t index, const char* after);

    // The field as written.
    ScenarioValue text(std::size_t index) const { return ScenarioValue(fields_[index]); }
    // The leading integer when the field passes the number test; otherwise 0.
    ScenarioValue integer(std::size_t index, const char* name);
    // The leading integer without the number test; the field must begin with one.
    ScenarioValue strictInteger(std::size_t index, const char* name);
    // The leading number when the field passes the number test; otherwise 0. With `notNegative`
    // a negative number reads as 0.
    ScenarioValue real(std::size_t index, const char* name, bool notNegative = false);
    // The leading number without the number test; the field must begin with one.
    ScenarioValue strictReal(std::size_t index, const char* name, bool notNegative);

private:
    std::string where(std::size_t index, const char* name) const;
    ScenarioValue notANumber(std::size_t index, const char* name, ScenarioValue zero);
    void report(const std::string& message);

    const std::vector<std::string>& fields_;
    int line_;
    const std::string& path_;
    Diagnostics* diagnostics_;
};

}  // namespace vastomer

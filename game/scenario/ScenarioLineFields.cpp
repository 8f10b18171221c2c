#include "game/scenario/ScenarioLineFields.h"

#include <cmath>

#include "game/data/Diagnostics.h"
#include "game/data/MasterText.h"

namespace vastomer {

ScenarioLineFields::ScenarioLineFields(const std::vector<std::string>& fields, int line,
                                       const std::string& path, Diagnostics* diagnostics)
    : fields_(fields), line_(line), path_(path), diagnostics_(diagnostics) {}

bool ScenarioLineFields::require(std::size_t needed, const char* form) {
    if (fields_.size() >= needed) return true;
    report(std::string(form) + " needs " + std::to_string(needed) + " fields, the line has " +
           std::to_string(fields_.size()) + "; line skipped");
    return false;
}

void ScenarioLineFields::ignoreBeyond(std::size_t read) {
    if (fields_.size() > read)
        report("fields after field " + std::to_string(read - 1) + " are not read (" +
               std::to_string(fields_.size() - read) + " ignored)");
}

void ScenarioLineFields::unknownWord(std::size_t index, const char* after) {
    report("unknown word '" + fields_[index] + "' after " + after + "; the command does nothing");
}

ScenarioValue ScenarioLineFields::integer(std::size_t index, const char* name) {
    if (!MasterText::isNumber(fields_[index])) return notANumber(index, name, ScenarioValue(int32_t{0}));
    return strictInteger(index, name);
}

ScenarioValue ScenarioLineFields::strictInteger(std::size_t index, const char* name) {
    LeadingInt read = MasterText::leadingInt(fields_[index]);
    if (read.status == LeadingInt::Status::OUT_OF_RANGE) {
        report(where(index, name) + " is out of range; reads as 0");
        return ScenarioValue(int32_t{0});
    }
    if (read.status != LeadingInt::Status::OK) return notANumber(index, name, ScenarioValue(int32_t{0}));
    return ScenarioValue(static_cast<int32_t>(read.value));
}

ScenarioValue ScenarioLineFields::real(std::size_t index, const char* name, bool notNegative) {
    if (!MasterText::isNumber(fields_[index])) return notANumber(index, name, ScenarioValue(0.0f));
    return strictReal(index, name, notNegative);
}

ScenarioValue ScenarioLineFields::strictReal(std::size_t index, const char* name, bool notNegative) {
    float value = 0.0f;
    bool trailing = false;
    if (!MasterText::leadingFloat(fields_[index], value, trailing))
        return notANumber(index, name, ScenarioValue(0.0f));
    // Too many digits for a float: an endless wait or move is no reading of the author's intent.
    if (!std::isfinite(value)) {
        report(where(index, name) + " is out of range; reads as 0");
        return ScenarioValue(0.0f);
    }
    if (notNegative && value < 0.0f) value = 0.0f;
    return ScenarioValue(value);
}

std::string ScenarioLineFields::where(std::size_t index, const char* name) const {
    return "field " + std::to_string(index) + " (" + name + ") '" + fields_[index] + "'";
}

ScenarioValue ScenarioLineFields::notANumber(std::size_t index, const char* name, ScenarioValue zero) {
    report(where(index, name) + " is not a number; reads as 0");
    return zero;
}

void ScenarioLineFields::report(const std::string& message) {
    if (diagnostics_) diagnostics_->report(path_, line_, fields_[0] + ": " + message);
}

}  // namespace vastomer

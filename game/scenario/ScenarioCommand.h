#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vastomer {

// One value of a scenario command: a text, an integer or a number. Exactly one of the flags is set,
// except on the empty value that stands for a field the line did not give. Reading a member of
// another kind yields 0 or an empty text.
struct ScenarioValue {
    std::string text;
    bool hasText = false;
    int32_t intValue = 0;
    bool hasInt = false;
    float floatValue = 0.0f;
    bool hasFloat = false;

    ScenarioValue() = default;
    explicit ScenarioValue(std::string value) : text(std::move(value)), hasText(true) {}
    explicit ScenarioValue(int32_t value) : intValue(value), hasInt(true) {}
    explicit ScenarioValue(float value) : floatValue(value), hasFloat(true) {}
};

// One command of a scenario script: the keyword as written and its values in order (the keyword
// itself is not among them). Sub-keywords such as "SPEAKER" or "GEN" are text values.
struct ScenarioCommand {
    std::string name;
    std::vector<ScenarioValue> args;
    std::string file;  // the script it was read from, as it was asked for
    int line = 0;      // its physical line there (1-based)

    std::size_t argCount() const { return args.size(); }
    // The value at `index`; the empty value when the command has none there, so a command never
    // reads past what its line gave.
    const ScenarioValue& arg(std::size_t index) const {
        static const ScenarioValue empty;
        return index < args.size() ? args[index] : empty;
    }
    const std::string& textAt(std::size_t index) const { return arg(index).text; }
    int32_t intAt(std::size_t index) const { return arg(index).intValue; }
    float floatAt(std::size_t index) const { return arg(index).floatValue; }
};

}  // namespace vastomer

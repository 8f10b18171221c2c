#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace vastomer {

// The state of the game written as JSON when a run ends, for tests and for looking into a run.
// Each part of the game adds a named section; the dump is one object with a member per section.
class StateDump {
public:
    using Section = std::function<nlohmann::json()>;

    // Adds a section, or replaces the one of the same name.
    void addSection(const std::string& name, Section section);
    void removeSection(const std::string& name);
    bool hasSection(const std::string& name) const;

    nlohmann::json build() const;
    // Writes the dump (atomically); false with a message when the file cannot be written.
    bool writeToFile(const std::string& path, std::string& error) const;

private:
    std::vector<std::pair<std::string, Section>> sections_;
};

}  // namespace vastomer

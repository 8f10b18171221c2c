#include "game/harness/StateDump.h"

#include <algorithm>

#include "engine/platform/FileUtils.h"

namespace vastomer {

void StateDump::addSection(const std::string& name, Section section) {
    for (auto& entry : sections_) {
        if (entry.first == name) {
            entry.second = std::move(section);
            return;
        }
    }
    sections_.emplace_back(name, std::move(section));
}

void StateDump::removeSection(const std::string& name) {
    sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                   [&](const auto& entry) { return entry.first == name; }),
                    sections_.end());
}

bool StateDump::hasSection(const std::string& name) const {
    return std::any_of(sections_.begin(), sections_.end(),
                       [&](const auto& entry) { return entry.first == name; });
}

nlohmann::json StateDump::build() const {
    nlohmann::json dump = nlohmann::json::object();
    for (const auto& entry : sections_)
        dump[entry.first] = entry.second ? entry.second() : nlohmann::json();
    return dump;
}

bool StateDump::writeToFile(const std::string& path, std::string& error) const {
    // Bytes that are not UTF-8 (a damaged file name, say) are replaced rather than failing the dump.
    std::string text = build().dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    if (!engine::FileUtils::getInstance()->writeStringToFile(text, path)) {
        error = path + ": cannot write the state dump";
        return false;
    }
    return true;
}

}  // namespace vastomer

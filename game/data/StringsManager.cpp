#include "game/data/StringsManager.h"

#include <algorithm>

#include "engine/platform/Application.h"
#include "engine/platform/FileUtils.h"
#include "engine/platform/SystemLanguage.h"
#include "engine/scene/Director.h"
#include "game/data/StringsFile.h"

namespace vastomer {

namespace {

std::string systemLanguageCode() {
    auto* application = engine::Application::getInstance();
    return application ? application->getCurrentLanguageCode() : engine::SystemLanguage::currentCode();
}

}  // namespace

StringsManager* StringsManager::getInstance() {
    return engine::SingletonSlot<StringsManager>::get();
}

void StringsManager::destroyInstance() {
    // Stops its updates and listeners and leaves the scene it was attached to (if that still runs).
    engine::SingletonSlot<StringsManager>::destroy([](engine::Node* manager) {
        manager->cleanup();
        manager->removeFromParent();
    });
}

bool StringsManager::init() {
    if (!Node::init()) return false;
    languages_ = {"ja", "en"};
    // Only exactly "ja" picks Japanese; every other system language (regional codes too) gets English.
    language_ = systemLanguageCode() == "ja" ? "ja" : "en";
    loadTables(language_);
    return true;
}

std::string StringsManager::systemFileName(const std::string& code) {
    return "strings/system_" + code + ".strings";
}

std::string StringsManager::scenarioFileName(const std::string& code) {
    return "strings/scenario_" + code + ".strings";
}

bool StringsManager::loadTables(const std::string& code) {
    table_.clear();
    auto* files = engine::FileUtils::getInstance();
    std::string systemPath = files->fullPathForFilename(systemFileName(code));
    if (systemPath.empty()) return false;
    StringsFile::addTo(StringsFile::parse(files->getStringFromFile(systemPath)), table_);
    std::string scenarioPath = files->fullPathForFilename(scenarioFileName(code));
    if (!scenarioPath.empty())
        StringsFile::addTo(StringsFile::parse(files->getStringFromFile(scenarioPath)), table_);
    return true;
}

bool StringsManager::setLanguage(const std::string& code) {
    // Codes come from the save file and the options screen: only supported ones name files, so a
    // damaged save can neither point the loader elsewhere nor leave a language the options cannot show.
    bool supported = std::find(languages_.begin(), languages_.end(), code) != languages_.end();
    if (supported && loadTables(code)) {
        language_ = code;
        return true;
    }
    loadTables(language_);
    return false;
}

int StringsManager::getLanguageIndex(const std::string& code) const {
    const std::string& wanted = code.empty() ? language_ : code;
    auto found = std::find(languages_.begin(), languages_.end(), wanted);
    return found == languages_.end() ? -1 : static_cast<int>(found - languages_.begin());
}

std::string StringsManager::getLanguageAt(int index) const {
    if (index < 0 || index >= static_cast<int>(languages_.size())) return "";
    return languages_[static_cast<std::size_t>(index)];
}

std::string StringsManager::getString(const std::string& key) const {
    auto found = table_.find(key);
    return found == table_.end() ? key : found->second;
}

std::string StringsManager::characterNameKey(int number) {
    std::string digits = std::to_string(number < 0 ? -static_cast<long long>(number) : number);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return std::string("CHARA_NAME_") + (number < 0 ? "-" : "") + digits;
}

std::string StringsManager::getCharacterName(int number) const {
    return getString(characterNameKey(number));
}

}  // namespace vastomer

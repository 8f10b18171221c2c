#include "engine/platform/UserDefault.h"

#include <pugixml.hpp>

#include <charconv>
#include <sstream>

#include "engine/base/NumberText.h"
#include "engine/platform/FileUtils.h"

namespace engine {

namespace {

const char* const kFileName = "UserDefault.xml";
const char* const kRootName = "userDefaultRoot";
const char* const kEntryName = "entry";

// Shortest text that reads back to the same float ("0.7", not "0.699999988").
std::string formatFloat(float value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, result.ptr);
}

}  // namespace

UserDefault* UserDefault::getInstance() {
    static UserDefault instance;
    return &instance;
}

const std::string& UserDefault::getFilePath() {
    ensureLoaded();
    return filePath_;
}

void UserDefault::reload() {
    loaded_ = false;
    ensureLoaded();
}

void UserDefault::ensureLoaded() {
    if (loaded_) return;
    loaded_ = true;
    values_.clear();
    filePath_ = FileUtils::getInstance()->getWritablePath() + kFileName;
    FileUtils::getInstance()->removeLeftoverTemporaries(filePath_);

    values_ = readEntries(FileUtils::getInstance()->getStringFromFile(filePath_));
}

std::map<std::string, std::string> UserDefault::readEntries(std::string_view text) {
    std::map<std::string, std::string> values;
    if (text.empty()) return values;
    pugi::xml_document doc;
    if (!doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8)) return values;
    for (pugi::xml_node entry : doc.child(kRootName).children(kEntryName)) {
        pugi::xml_attribute key = entry.attribute("key");
        if (key) values[key.value()] = entry.attribute("value").value();
    }
    return values;
}

void UserDefault::save() {
    lastWriteOk_ = FileUtils::getInstance()->writeStringToFile(writeEntries(values_), filePath_);
}

std::string UserDefault::writeEntries(const std::map<std::string, std::string>& values) {
    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "utf-8";
    pugi::xml_node root = doc.append_child(kRootName);
    for (const auto& [key, value] : values) {
        pugi::xml_node entry = root.append_child(kEntryName);
        entry.append_attribute("key") = key.c_str();
        entry.append_attribute("value") = value.c_str();
    }
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

const std::string* UserDefault::find(const std::string& key) {
    ensureLoaded();
    auto it = values_.find(key);
    return (it == values_.end() || it->second.empty()) ? nullptr : &it->second;
}

void UserDefault::set(const std::string& key, const std::string& value) {
    ensureLoaded();
    auto it = values_.find(key);
    if (it != values_.end() && it->second == value && lastWriteOk_) return;
    values_[key] = value;
    save();
}

bool UserDefault::getBoolForKey(const std::string& key, bool defaultValue) {
    const std::string* value = find(key);
    return value ? *value == "true" : defaultValue;
}

int UserDefault::getIntegerForKey(const std::string& key, int defaultValue) {
    const std::string* value = find(key);
    return value ? NumberText::leadingInt(*value) : defaultValue;
}

float UserDefault::getFloatForKey(const std::string& key, float defaultValue) {
    const std::string* value = find(key);
    return value ? static_cast<float>(NumberText::leadingDouble(*value)) : defaultValue;
}

double UserDefault::getDoubleForKey(const std::string& key, double defaultValue) {
    const std::string* value = find(key);
    return value ? NumberText::leadingDouble(*value) : defaultValue;
}

std::string UserDefault::getStringForKey(const std::string& key, const std::string& defaultValue) {
    const std::string* value = find(key);
    return value ? *value : defaultValue;
}

void UserDefault::setBoolForKey(const std::string& key, bool value) {
    set(key, value ? "true" : "false");
}

void UserDefault::setIntegerForKey(const std::string& key, int value) {
    set(key, std::to_string(value));
}

void UserDefault::setFloatForKey(const std::string& key, float value) {
    set(key, formatFloat(value));
}

void UserDefault::setDoubleForKey(const std::string& key, double value) {
    set(key, NumberText::format(value));
}

void UserDefault::setStringForKey(const std::string& key, const std::string& value) {
    set(key, value);
}

void UserDefault::deleteValueForKey(const std::string& key) {
    ensureLoaded();
    if (values_.erase(key) > 0) save();
}

}  // namespace engine

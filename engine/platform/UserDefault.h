#pragma once

#include <map>
#include <string>
#include <string_view>

namespace engine {

// The settings store: key/value pairs in one XML file, "UserDefault.xml" under the writable path.
// Each pair is an element <entry key="..." value="..."/>, so any key round-trips (keys such as
// "KeyActionType::OK" are not valid element names). Every change rewrites the file atomically.
// A file that cannot be read or parsed counts as empty; it stays on disk until the next change.
class UserDefault {
public:
    static UserDefault* getInstance();

    UserDefault(const UserDefault&) = delete;
    UserDefault& operator=(const UserDefault&) = delete;

    // Reads give `defaultValue` when the key is missing or its value is empty.
    bool getBoolForKey(const std::string& key, bool defaultValue = false);  // true only for "true"
    int getIntegerForKey(const std::string& key, int defaultValue = 0);     // leading integer, like atoi
    float getFloatForKey(const std::string& key, float defaultValue = 0.0f);
    double getDoubleForKey(const std::string& key, double defaultValue = 0.0);  // like atof
    std::string getStringForKey(const std::string& key, const std::string& defaultValue = "");

    void setBoolForKey(const std::string& key, bool value);
    void setIntegerForKey(const std::string& key, int value);
    void setFloatForKey(const std::string& key, float value);
    void setDoubleForKey(const std::string& key, double value);
    void setStringForKey(const std::string& key, const std::string& value);
    void deleteValueForKey(const std::string& key);

    // Changes are written as they are made; kept for callers that flush after setting.
    void flush() {}

    // Where the file lives: the writable path at the time the store was (re)loaded.
    const std::string& getFilePath();
    // Re-reads the file from the current writable path (tests point the writable path elsewhere first).
    void reload();
    // Whether the last write of the file succeeded (true before any write).
    bool lastWriteSucceeded() const { return lastWriteOk_; }

    // The pairs held by the text of a settings file; text that is not one (damaged, cut short, edited
    // by hand into something else) holds none. Keys given twice keep the last value.
    static std::map<std::string, std::string> readEntries(std::string_view text);
    // The text of a settings file holding `values`; readEntries gives them back unchanged.
    static std::string writeEntries(const std::map<std::string, std::string>& values);

private:
    UserDefault() = default;

    const std::string* find(const std::string& key);
    void set(const std::string& key, const std::string& value);
    void ensureLoaded();
    void save();

    bool loaded_ = false;
    bool lastWriteOk_ = true;
    std::string filePath_;
    std::map<std::string, std::string> values_;
};

}  // namespace engine

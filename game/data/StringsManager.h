#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/base/SingletonSlot.h"
#include "engine/scene/Node.h"

namespace vastomer {

// Every text the player reads, by key, in the current language ("ja" or "en"). The texts come from
// "strings/system_<code>.strings" and then "strings/scenario_<code>.strings".
class StringsManager : public engine::Node {
public:
    // The one instance, made on first use (GameServices makes and destroys it in the program's order).
    static StringsManager* getInstance();
    static void destroyInstance();

    bool init() override;

    std::string getLanguage() const { return language_; }
    // Loads the texts of a supported language. False when the code is not supported or its system file
    // is missing; the current language and its texts then stay.
    bool setLanguage(const std::string& code);
    // Position of the code in the supported list (of the current language for ""); -1 when absent.
    int getLanguageIndex(const std::string& code = "") const;
    // The code at a position of the supported list; "" out of range.
    std::string getLanguageAt(int index) const;
    const std::vector<std::string>& getLanguages() const { return languages_; }

    // The text of a key; the key itself when there is none, so a missing text shows on screen.
    std::string getString(const std::string& key) const;
    // The name of a character: the text of "CHARA_NAME_" and the number with at least four digits.
    std::string getCharacterName(int number) const;
    static std::string characterNameKey(int number);

    const std::map<std::string, std::string>& getTable() const { return table_; }
    static std::string systemFileName(const std::string& code);
    static std::string scenarioFileName(const std::string& code);

protected:
    friend class engine::SingletonSlot<StringsManager>;
    StringsManager() = default;

private:
    bool loadTables(const std::string& code);

    std::string language_ = "ja";
    std::map<std::string, std::string> table_;
    std::vector<std::string> languages_;
};

}  // namespace vastomer

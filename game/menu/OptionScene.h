#pragma once

#include <string>
#include <vector>

#include "game/app/NLayer.h"

namespace engine {
class Label;
class Node;
class Sprite;
}  // namespace engine

namespace vastomer {

class QuorinDialog;

// The options screen (scene 3): a main menu on the left and, beside it, the page of the highlighted
// row — language, sound, controls, difficulty, progress reset and comfort — shown as a preview
// until the row is opened. It keeps what the pages show and edit (the cursor, the language and
// difficulty under the cursor, the bindings being edited); the controller changes them and the
// managers. Leaving goes back to the title when it came from there, else to the hub.
class OptionScene : public NLayer {
public:
    enum Page : int {
        MENU = 0,
        LANGUAGE = 1,
        SOUND = 2,
        CONTROLS = 3,
        DIFFICULTY = 4,
        RESET = 5,
        COMFORT = 6
    };
    static constexpr int MENU_ROWS = 7;  // the six pages and "back"
    static constexpr int BACK_ROW = 6;
    static constexpr int KEY_BINDINGS = 11;
    static constexpr int BUTTON_BINDINGS = 7;
    static constexpr int COMFORT_ROWS = 6;
    static constexpr int COMFORT_BACK_ROW = 5;
    static constexpr const char* BACKDROP_FILE = "images/ui/ui_mainMenu_back01.png";

    static OptionScene* create();
    bool init() override;
    void setupScene() override;
    void startScene() override;
    // The title hands over to this screen: leaving goes back to the title.
    void handOver(NLayer* incoming) override;

    // Opens a page (0 for the main menu); nothing when it is shown already, unless a rebuild was
    // asked for.
    void showPage(int page);
    // Rebuilds everything in the current language (after a language change).
    void rebuildAll();
    // Builds the page shown beside the menu: the open page, or the preview of the highlighted row.
    void buildPage();
    // Updates the value texts of the page shown (after LEFT/RIGHT), without resetting anything.
    void refreshValues();
    void placeCursor();

    // Binding capture prompt.
    void showPrompt(bool shown);
    bool isPromptShown() const { return promptShown_; }
    // The reset question.
    QuorinDialog* getResetDialog() const { return resetDialog_; }

    // The last row of the current page, and whether the cursor wraps from it.
    int lastRow() const;
    // The page that a main-menu row opens (0 for the "back" row).
    static int pageOfRow(int row);

    virtual int getPage() const { return page_; }
    virtual int getPreviousPage() const { return previousPage_; }
    virtual int getRow() const { return row_; }
    virtual void setRow(int row) { row_ = row; }
    virtual int getLanguageCursor() const { return languageCursor_; }
    virtual void setLanguageCursor(int cursor) { languageCursor_ = cursor; }
    virtual int getDifficultyCursor() const { return difficultyCursor_; }
    virtual void setDifficultyCursor(int cursor) { difficultyCursor_ = cursor; }
    virtual bool isPadPage() const { return padPage_; }
    virtual void setPadPage(bool padPage) { padPage_ = padPage; }
    virtual bool isOpenedFromTitle() const { return openedFromTitle_; }
    virtual void setOpenedFromTitle(bool fromTitle) { openedFromTitle_ = fromTitle; }
    virtual void setRebuildRequested(bool rebuild) { rebuildRequested_ = rebuild; }
    std::vector<int>& getPendingKeys() { return pendingKeys_; }
    std::vector<int>& getPendingButtons() { return pendingButtons_; }
    const std::vector<int>& getPendingKeys() const { return pendingKeys_; }
    const std::vector<int>& getPendingButtons() const { return pendingButtons_; }
    // The bindings being edited, from the input manager's current ones (and its mode).
    void reloadPendingBindings();
    // The texts of the page rows shown now (for the tests and the state dump).
    std::vector<std::string> getRowTexts() const;
    std::vector<std::string> getValueTexts() const;
    std::string getCaptionText() const;

    // The value texts the sound page shows for a volume ("70%").
    static std::string percentText(float volume);
    // Edited volumes, set by the controller while the sound page is open.
    void setEditVolumes(float bgm, float se) {
        editBgm_ = bgm;
        editSe_ = se;
    }

protected:
    OptionScene() = default;

private:
    void buildMenu();
    void clearPage();
    void addRow(int index, const std::string& name, const std::string& value);
    void setDescription(const std::string& text);
    void buildLanguage();
    void buildSound();
    void buildControls();
    void buildDifficulty();
    void buildReset();
    void buildComfort();
    void colourRows();
    std::string comfortValue(int row) const;

    int page_ = MENU;
    int previousPage_ = MENU;
    int row_ = 0;
    int menuRow_ = 0;
    int languageCursor_ = 0;
    int difficultyCursor_ = 1;
    bool padPage_ = false;
    std::vector<int> pendingKeys_;
    std::vector<int> pendingButtons_;
    bool openedFromTitle_ = false;
    bool rebuildRequested_ = false;
    bool promptShown_ = false;
    float editBgm_ = 1.0f;
    float editSe_ = 0.7f;

    engine::Node* menuWindow_ = nullptr;
    engine::Node* pageWindow_ = nullptr;
    std::vector<engine::Label*> menuLabels_;
    std::vector<engine::Label*> rowLabels_;
    std::vector<engine::Label*> valueLabels_;
    engine::Label* caption_ = nullptr;
    engine::Label* description_ = nullptr;
    engine::Sprite* cursor_ = nullptr;
    QuorinDialog* resetDialog_ = nullptr;
    QuorinDialog* prompt_ = nullptr;
};

}  // namespace vastomer

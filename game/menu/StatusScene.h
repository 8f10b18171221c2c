#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game/app/NLayer.h"

namespace engine {
class Label;
class Node;
class Sprite;
}  // namespace engine

namespace vastomer {

class ActionMap;
class CompositeAnimation;
class LustGauge;
class MessageWindow;
class QuorinDialog;

// The status room (scene 7): Quorin in the wear she has on, standing in the room
// ("data/map/md_9999_03.tmx"), her HP, Spirit and Resolve, the two weapons with their rank letters
// and the wear with its description. The five-item menu opens the melee-weapon, firearm and wear
// lists (the highlighted item is previewed, OK equips it), the meditation that empties Resolve, or
// goes back to the hub.
class StatusScene : public NLayer {
public:
    enum Page : int { MENU = 0, GRAPPLE_LIST = 1, SHOT_LIST = 2, WEAR_LIST = 3, MEDITATION = 4 };
    static constexpr int MENU_ITEMS = 5;
    static constexpr int VISIBLE_ROWS = 8;
    static constexpr int FULL_RESOLVE_WEAR = 8;
    static constexpr const char* MAP_FILE = "data/map/md_9999_03.tmx";
    static constexpr float CURSOR_PAUSE = 0.05f;
    static constexpr float LIST_FADE = 0.15f;

    static StatusScene* create();
    bool init() override;
    void setupScene() override;
    void startScene() override;

    virtual int getPage() const { return page_; }
    virtual bool isBusy() const { return busy_; }
    virtual int getCursor() const { return cursor_; }
    virtual void setCursorValue(int cursor) { cursor_ = cursor; }

    void setPage(int page);
    void setCursor(int index);
    void cursorNext();
    void cursorPrev();
    void resetMenu() { setPage(MENU); }

    // The item of the highlighted list row; -1 on the menu, in the dialog, or with an empty list.
    int selectedItemId() const;
    // The items a list page offers, in the order they were obtained: melee weapons (no bullet),
    // firearms (a bullet) or wear.
    static std::vector<int> itemsOf(int page);
    // The item worn or held for a list page now.
    static int equippedItemOf(int page);

    void showGrappleWeapon(int id, bool previewOnly);
    void showShotWeapon(int id, bool previewOnly);
    void showWear(int id, bool previewOnly);

    void openMeditationDialog(std::function<void()> done);
    void closeMeditationDialog(std::function<void()> done);
    int dialogChoice() const;
    // Empties Resolve (at the black point of the meditation's fade).
    void meditate();

    bool isListWindowOpen() const { return listWindowOpen_; }
    int getListCount() const { return listCount_; }
    int getShownCount() const { return shownCount_; }
    int getListFirst() const { return listFirst_; }
    const std::vector<engine::Label*>& getListLabels() const { return listLabels_; }
    const std::vector<engine::Label*>& getMenuLabels() const { return menuLabels_; }
    QuorinDialog* getMeditationDialog() const { return meditationDialog_; }
    CompositeAnimation* getFigure() const { return figure_; }
    engine::Label* getHpLabel() const { return hpLabel_; }
    engine::Label* getSpLabel() const { return spLabel_; }
    engine::Label* getWearNameLabel() const { return wearName_; }
    engine::Label* getGrappleNameLabel() const { return grappleName_; }
    engine::Label* getShotNameLabel() const { return shotName_; }
    engine::Label* getGrapplePowerLabel() const { return grapplePower_; }
    LustGauge* getLpGauge() const { return lpGauge_; }
    ActionMap* getActionMap() const { return actionMap_; }
    // "sp × 100 / spMax" and a per cent sign.
    static std::string spPercentText(int sp, int spMax);
    // Text and outline colours of a rank key's letter.
    static void rankColours(const std::string& key, engine::Color3B& text, engine::Color3B& outline);

protected:
    StatusScene() = default;

private:
    void buildStatusWindow();
    void buildList(int first);
    void colourList(int highlighted);
    void openListWindow();
    void closeListWindow();
    void holdInput(float seconds);
    void setRank(engine::Label* label, const std::string& key);
    engine::Label* addValue(const engine::Vec2& position, float fontSize = 80.0f);

    int page_ = MENU;
    bool busy_ = false;
    int cursor_ = 0;
    bool listWindowOpen_ = false;
    int listCount_ = 0;
    int shownCount_ = 0;
    int listFirst_ = 0;
    std::vector<int> listItems_;
    std::vector<engine::Label*> menuLabels_;
    std::vector<engine::Label*> listLabels_;
    QuorinDialog* meditationDialog_ = nullptr;

    ActionMap* actionMap_ = nullptr;
    CompositeAnimation* figure_ = nullptr;
    MessageWindow* messageWindow_ = nullptr;
    engine::Sprite* cover_ = nullptr;
    engine::Node* menuWindow_ = nullptr;
    engine::Node* listWindow_ = nullptr;
    engine::Node* statusWindow_ = nullptr;
    engine::Sprite* cursorSprite_ = nullptr;
    engine::Label* hpLabel_ = nullptr;
    engine::Label* spLabel_ = nullptr;
    LustGauge* lpGauge_ = nullptr;
    engine::Sprite* grappleIcon_ = nullptr;
    engine::Label* grappleName_ = nullptr;
    engine::Label* grapplePower_ = nullptr;
    engine::Label* grappleInterval_ = nullptr;
    engine::Sprite* shotIcon_ = nullptr;
    engine::Label* shotName_ = nullptr;
    engine::Label* shotPower_ = nullptr;
    engine::Label* shotInterval_ = nullptr;
    engine::Label* magazine_ = nullptr;
    engine::Label* wearName_ = nullptr;
    engine::Label* wearDescription_ = nullptr;
};

}  // namespace vastomer

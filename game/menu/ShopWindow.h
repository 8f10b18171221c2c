#pragma once

#include <string>
#include <vector>

#include "engine/scene/Sprite.h"

namespace engine {
class Label;
}

namespace vastomer {

class DataManager;
class QuorinDialog;

// Mr. Kettle's counter: the category list, the items of a category with their price and whether
// they are owned, and the "Buy this?" dialog. It covers the screen from its origin and draws only
// its windows. The controller hands it the actions; it plays the menu sounds itself.
class ShopWindow : public engine::Sprite {
public:
    enum State : int { CATEGORIES = 0, ITEMS = 1, CONFIRM = 2 };
    enum Category : int { GRAPPLE_WEAPONS = 0, SHOT_WEAPONS = 1, WEAR = 2, BACK = 3 };
    static constexpr int CATEGORY_COUNT = 4;
    static constexpr int BACK_ENTRY = -1;
    static constexpr int ACCEPT = 0;
    static constexpr int CANCEL = 1;
    static constexpr const char* PURCHASE_SOUND = "audio/se/coin06.mp3";
    static constexpr const char* SCORE_ICON_FILE = "images/ui/score_icon_01.png";
    static constexpr float FADE_TIME = 0.15f;

    // What an OK or CANCEL asks of the screen.
    enum class Outcome { NONE, LEAVE };
    // How a purchase went.
    enum class Purchase { SOLD, NOT_FOR_SALE, OWNED, TOO_DEAR };

    static ShopWindow* create();
    bool init() override;
    void draw(engine::Renderer& /*renderer*/, const engine::DrawContext& /*context*/) override {}

    // Fades the windows in on the category list.
    void open();
    // Previous (-1) or next (+1) entry of the list shown, wrapping; the details follow.
    void moveCursor(int delta);
    Outcome confirm();
    Outcome cancel();

    // The items a category offers, in the line-up's order, then the back entry. Weapons are told
    // apart by whether they fire a bullet.
    static std::vector<int> itemsOf(int category);
    // Spends the score on an item: it must be in the line-up at a price of 0 or more, not owned yet,
    // and the score must be above the price (the last point is never spent).
    static Purchase purchase(DataManager& data, int itemId, bool isWear);
    static bool isOwned(int itemId, bool isWear);
    static std::string nameKey(int itemId, bool isWear);
    static std::string descriptionKey(int itemId, bool isWear);

    int getWindowState() const { return state_; }
    int getCategoryIndex() const { return categoryIndex_; }
    int getItemIndex() const { return itemIndex_; }
    const std::vector<int>& getItems() const { return items_; }
    int getDialogChoice() const { return choice_; }
    // The dialog is fading in or out: input waits.
    bool isBusy() const { return busy_; }
    bool isOpened() const { return opened_; }
    // The item highlighted in the item list; BACK_ENTRY elsewhere.
    int highlightedItem() const;
    bool isWearCategory() const { return categoryIndex_ == WEAR; }
    // Texts shown now, for the state dump and the tests.
    std::string getScoreText() const;
    std::string getDetailName() const;
    std::string getDetailPrice() const;
    bool isOwnedMarkShown() const;

protected:
    ShopWindow() = default;

private:
    void showList();
    void showDetails();
    void placeCursor(engine::Label* beside);
    void openDialog();
    void closeDialog();
    void refreshScore();

    int state_ = CATEGORIES;
    int categoryIndex_ = GRAPPLE_WEAPONS;
    std::vector<int> items_;
    int itemIndex_ = 0;
    int choice_ = ACCEPT;
    bool busy_ = false;
    bool opened_ = false;

    engine::Node* listWindow_ = nullptr;
    engine::Node* detailWindow_ = nullptr;
    engine::Node* scoreWindow_ = nullptr;
    std::vector<engine::Label*> rows_;
    engine::Label* scoreLabel_ = nullptr;
    engine::Label* nameLabel_ = nullptr;
    engine::Label* priceLabel_ = nullptr;
    engine::Label* ownedLabel_ = nullptr;
    engine::Label* descriptionLabel_ = nullptr;
    engine::Sprite* cursor_ = nullptr;
    QuorinDialog* dialog_ = nullptr;
};

}  // namespace vastomer

// The message window: opening and closing, speaker pictures, messages, the caption band and the
// next-page prompt, headless in the running game scene.
#include "game/data/StringsManager.h"
#include "tests/support/MessageFixture.h"

using vastomer::KeyActionType;
using vastomer::KeyInputManager;
using vastomer::MessageWindow;

namespace {

constexpr const char* AOI_CALM = "character/cf_01_01_01.png";
constexpr const char* AOI_SMILE = "character/cf_01_01_02.png";
constexpr const char* QUORIN_NEUTRAL = "character/cf_00_01_01.png";

class MessageWindowTest : public MessageFixture {
protected:
    void SetUp() override {
        MessageFixture::SetUp();
        window_ = addWindow();
        ASSERT_NE(window_, nullptr);
    }
    MessageWindow::Callback count(int& calls) {
        return [&calls] { ++calls; };
    }
    // A page of a scene: the window open, Aoi on the left, Quorin dimmed on the right, a message typed.
    void showPage(const std::string& name, const std::string& text) {
        window_->openWindow(nullptr);
        window_->setSpeakerPicture(AOI_CALM, true, true, false, nullptr);
        window_->setSpeakerPicture(QUORIN_NEUTRAL, false, false, false, nullptr);
        window_->setSpeakerName(name);
        frames(20);
        window_->setMessageText(text);
        window_->showMessage(nullptr);
        frames(80);
    }

    MessageWindow* window_ = nullptr;
};

TEST_F(MessageWindowTest, OpeningOrClosingAgainEndsAtTheSamePlace) {
    int opened = 0, closed = 0;
    window_->openWindow(count(opened));
    frames(19);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(window_->isOpen());
    EXPECT_EQ(window_->getFrame()->getPosition(), MessageWindow::framePosition(true));
    EXPECT_EQ(window_->getFrame()->getOpacity(), 255);
    window_->openWindow(count(opened));
    frames(19);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(window_->getFrame()->getPosition(), MessageWindow::framePosition(true));

    window_->closeWindow(count(closed));
    frames(5);
    window_->closeWindow(count(closed));
    frames(19);
    EXPECT_EQ(closed, 2);
    EXPECT_FALSE(window_->isOpen());
    EXPECT_EQ(window_->getFrame()->getPosition(), MessageWindow::framePosition(false));
    EXPECT_EQ(window_->getFrame()->getOpacity(), 0);
    EXPECT_EQ(window_->getNameLabel()->getOpacity(), 0);

    // Interrupted half-way, the opening still calls back (on the next frame).
    window_->openWindow(count(opened));
    frames(5);
    window_->closeWindow(count(closed));
    frames(1);
    EXPECT_EQ(opened, 3);
    frames(19);
    EXPECT_EQ(closed, 3);
    EXPECT_EQ(window_->getFrame()->getPosition(), MessageWindow::framePosition(false));
}

TEST_F(MessageWindowTest, APictureSetOverAnotherSlidesInToTheSameRestingPlace) {
    int done = 0;
    window_->setSpeakerPicture(AOI_CALM, true, true, false, count(done));
    frames(13);
    EXPECT_EQ(done, 1);
    EXPECT_TRUE(window_->isLeftShown());
    EXPECT_EQ(window_->getPictureFile(true), AOI_CALM);
    EXPECT_EQ(window_->getLeftPicture()->getPosition(), MessageWindow::picturePosition(true));
    EXPECT_EQ(window_->getLeftPicture()->getOpacity(), 255);
    EXPECT_EQ(window_->getLeftPicture()->getContentSize(), engine::Size(96, 128));

    window_->setSpeakerPicture(AOI_SMILE, true, true, false, count(done));
    frames(5);
    window_->setSpeakerPicture(AOI_CALM, true, false, true, count(done));
    frames(13);
    EXPECT_EQ(done, 3);
    EXPECT_EQ(window_->getLeftPicture()->getPosition(), MessageWindow::picturePosition(true));
    EXPECT_EQ(window_->getLeftPicture()->getColor(), engine::Color3B(128, 128, 128));
    window_->setSpeakerPicture(AOI_CALM, true, true, false, count(done));
    frames(13);
    EXPECT_EQ(window_->getLeftPicture()->getScaleY(), 2.0f) << "the breathing stops with a still picture";

    // The right side leaves to the right, and comes back to its place.
    window_->setSpeakerPicture(QUORIN_NEUTRAL, false, true, false, count(done));
    frames(13);
    EXPECT_EQ(window_->getRightPicture()->getPosition(), MessageWindow::picturePosition(false));
    window_->clearSpeakerPicture(false, count(done));
    frames(13);
    EXPECT_EQ(done, 6);
    EXPECT_FALSE(window_->isRightShown());
    EXPECT_EQ(window_->getRightPicture()->getPosition(),
              MessageWindow::picturePosition(false) + engine::Vec2(16, 0));
    EXPECT_EQ(window_->getRightPicture()->getOpacity(), 0);
    window_->setSpeakerPicture(QUORIN_NEUTRAL, false, true, false, count(done));
    frames(13);
    EXPECT_EQ(window_->getRightPicture()->getPosition(), MessageWindow::picturePosition(false));
}

TEST_F(MessageWindowTest, AMissingPictureLeavesItsSideEmptyAndStillCallsBack) {
    int done = 0;
    window_->setSpeakerPicture(AOI_CALM, true, true, false, nullptr);
    frames(13);
    window_->setSpeakerPicture("character/cf_99_01_01.png", true, true, false, count(done));
    frames(5);
    EXPECT_EQ(done, 0) << "calls back after the usual time";
    frames(8);
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(window_->isLeftShown());
    EXPECT_EQ(window_->getPictureFile(true), "");
    EXPECT_EQ(window_->getLeftPicture()->getOpacity(), 0);
}

TEST_F(MessageWindowTest, ClearingTheMessageFadesItThenPutsTheEmptyCaptionBack) {
    int shown = 0, cleared = 0;
    window_->setMessageText("Good evening.");
    EXPECT_EQ(window_->getMessageText(), "Good evening.");
    window_->showMessage(count(shown));
    frames(14);
    EXPECT_EQ(shown, 1);
    window_->clearMessage(count(cleared));
    frames(6);
    EXPECT_LT(window_->getCaption()->getOpacity(), 255);
    frames(8);
    EXPECT_EQ(cleared, 1);
    EXPECT_TRUE(window_->getCaption()->getCharacterLabels().empty());
    EXPECT_EQ(window_->getCaption()->getOpacity(), 255);
    EXPECT_EQ(window_->getCaption()->getPosition(), MessageWindow::captionPosition(true));
    EXPECT_EQ(shown, 1) << "the message's callback runs once";
}

TEST_F(MessageWindowTest, ClosingTakesThePicturesAndTheMessageAway) {
    showPage("Aoi", "See you tomorrow.");
    int closed = 0;
    window_->showNextCursor();
    window_->closeWindow(count(closed));
    frames(20);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(window_->isLeftShown());
    EXPECT_FALSE(window_->isRightShown());
    EXPECT_FALSE(window_->isNextCursorShown());
    EXPECT_TRUE(window_->getCaption()->getCharacterLabels().empty());
    EXPECT_EQ(window_->getLeftPicture()->getOpacity(), 0);
}

TEST_F(MessageWindowTest, ASpeakerOnTheRightMirrorsTheFrameAndCarriesTheNameAlong) {
    window_->setSide(false);
    EXPECT_TRUE(window_->getFrame()->isFlippedX());
    EXPECT_EQ(window_->getNameLabel()->getPosition(), MessageWindow::namePosition(false));
    EXPECT_EQ(window_->getCaption()->getPosition(), MessageWindow::captionPosition(false));
    window_->setSide(true);
    EXPECT_FALSE(window_->getFrame()->isFlippedX());
    EXPECT_EQ(window_->getNameLabel()->getPosition(), MessageWindow::namePosition(true));
    window_->setSpeakerPicture(AOI_CALM, true, true, false, nullptr);
    window_->setSpeakerPicture(QUORIN_NEUTRAL, false, true, false, nullptr);
    window_->highlightSpeaker(false);
    EXPECT_EQ(window_->getLeftPicture()->getColor(), engine::Color3B(128, 128, 128));
    EXPECT_EQ(window_->getRightPicture()->getColor(), engine::Color3B::WHITE);

    window_->setSide(false);
    window_->openWindow(nullptr);
    window_->setSpeakerName("Quorin");
    window_->setMessageText("Then I'll light the way._Stay close, Sister.");
    window_->showMessage(nullptr);
    frames(60);
    keepShot("message_window_right");
    EXPECT_GT(darkPixels(44, 82, 400, 108), 100);   // the text starts at the mirrored paper's edge
    EXPECT_GT(darkPixels(528, 114, 640, 134), 20);  // the name on the mirrored plate
    EXPECT_NE(pixel(832, 120), engine::Color4B(248, 240, 220, 255));  // the speaker stands in the bay
}

TEST_F(MessageWindowTest, ThePromptNamesWhatIsBoundToOk) {
    KeyInputManager* input = KeyInputManager::getInstance();
    window_->showNextCursor();
    EXPECT_TRUE(window_->isNextCursorShown());
    EXPECT_TRUE(window_->getPromptLabel()->isVisible());
    EXPECT_EQ(window_->getPromptLabel()->getString(), "z");
    input->getKeyBindings()[KeyActionType::OK] = 59;
    window_->showNextCursor();
    EXPECT_EQ(window_->getPromptLabel()->getString(), "SPACE");
    input->setGamepadMode(true);
    EXPECT_EQ(MessageWindow::okPromptText(), "A");
    input->getButtonBindings()[KeyActionType::OK] = 1010;  // the D-pad has no name to show
    EXPECT_EQ(MessageWindow::okPromptText(), "");
    input->setGamepadMode(false);
    window_->hideNextCursor();
    EXPECT_FALSE(window_->isNextCursorShown());
    EXPECT_FALSE(window_->getPromptLabel()->isVisible());

    // The cursor bounces between fixed points, however often it is shown.
    window_->showNextCursor();
    frames(7);
    window_->showNextCursor();
    frames(48);
    EXPECT_NEAR(window_->getNextCursor()->getPositionX(), MessageWindow::cursorPosition().x, 0.5f);
    EXPECT_EQ(window_->getNextCursor()->getPositionY(), MessageWindow::cursorPosition().y);
}

TEST_F(MessageWindowTest, ACaptionBandComesInHoldsASecondAndStaysUntilTheWindowOpens) {
    int done = 0;
    window_->showTelop("Lantern Street", count(done));
    frames(60);
    EXPECT_EQ(done, 0);
    frames(26);
    EXPECT_EQ(done, 1);
    ASSERT_NE(window_->getTelopBack(), nullptr);
    EXPECT_EQ(window_->getTelopBack()->getOpacity(), MessageWindow::TELOP_BACK_OPACITY);
    EXPECT_EQ(window_->getTelopLabel()->getOpacity(), 255);
    EXPECT_EQ(window_->getTelopBack()->getPositionX(), 480.0f);
    window_->openWindow(nullptr);
    EXPECT_EQ(window_->getTelopBack(), nullptr);
    EXPECT_EQ(window_->getTelopLabel(), nullptr);

    window_->showTelop("Dusk", nullptr);
    window_->hideTelop(count(done));
    frames(13);
    EXPECT_EQ(done, 2);
    EXPECT_EQ(window_->getTelopBack(), nullptr);
}

// The pages below are kept as pictures when QUORIN_SHOTS names a folder.
TEST_F(MessageWindowTest, APageShowsTheFramePortraitsNameAndJapaneseText) {
    ASSERT_TRUE(vastomer::StringsManager::getInstance()->setLanguage("ja"));
    scene_->removeChild(window_);
    window_ = addWindow();
    showPage("アオイ", "ランタン通りへようこそ。_灯りが消えないうちに、先へ進みましょう。");
    EXPECT_EQ(window_->getCaption()->getTTFConfig().fontSize, 36.0f);
    EXPECT_TRUE(window_->getCaption()->isFinished());
    keepShot("message_window_ja");
    // Paper under the text, ink on it, on two lines.
    EXPECT_GT(pixel(900, 60).r, 150);
    EXPECT_GT(darkPixels(260, 82, 700, 108), 150);
    EXPECT_GT(darkPixels(260, 60, 700, 82), 150);
    EXPECT_GT(darkPixels(256, 114, 420, 134), 40);  // the name
    // Both portraits stand in their bays, above the backdrop.
    EXPECT_NE(pixel(128, 200), engine::Color4B(38, 40, 74, 255));
    EXPECT_NE(pixel(832, 200), engine::Color4B(38, 40, 74, 255));
}

TEST_F(MessageWindowTest, APageShowsEnglishTextAndTheOkPrompt) {
    ASSERT_TRUE(vastomer::StringsManager::getInstance()->setLanguage("en"));
    scene_->removeChild(window_);
    window_ = addWindow();
    showPage("Aoi", "Welcome to Lantern Street._Let's go on before the lamps go out.");
    window_->showNextCursor();
    frames(1);
    EXPECT_EQ(window_->getCaption()->getTTFConfig().fontSize, 30.0f);
    keepShot("message_window_en");
    EXPECT_GT(darkPixels(260, 82, 700, 108), 100);
    EXPECT_GT(darkPixels(620, 30, 668, 50), 5);  // the key's name left of the cursor
}

}  // namespace

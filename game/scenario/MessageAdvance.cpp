#include "game/scenario/MessageAdvance.h"

#include "game/audio/NAudioManager.h"
#include "game/input/KeyInputManager.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/NCaption.h"

namespace vastomer {

void MessageAdvance::start(MessageWindow* window, const std::string& text, bool autoMode, Callback done) {
    cancel();
    window_ = window;
    autoMode_ = autoMode;
    done_ = std::move(done);
    shownFrames_ = 0;
    state_ = State::TYPING;
    if (!window) return;  // finished by the next update
    unsigned message = ++message_;
    window->setMessageText(text);
    std::weak_ptr<char> alive = alive_;
    window->showMessage([this, alive, message]() {
        if (!alive.expired()) typed(message);
    });
}

void MessageAdvance::cancel() {
    if (state_ == State::WAITING_FOR_OK && window_) window_->hideNextCursor();
    state_ = State::IDLE;
    done_ = nullptr;
    ++message_;
}

void MessageAdvance::typed(unsigned message) {
    if (message != message_ || state_ != State::TYPING) return;
    if (autoMode_) {
        finish();
        return;
    }
    state_ = State::WAITING_FOR_OK;
    shownFrames_ = 0;
    if (MessageWindow* window = window_.get()) window->showNextCursor();
}

void MessageAdvance::update() {
    KeyInputManager* input = KeyInputManager::getInstance();
    okHeldFrames_ = input->isActionHeld(KeyActionType::OK) ? okHeldFrames_ + 1 : 0;
    fastForward_ = readBefore_ && state_ != State::IDLE &&
                   (okHeldFrames_ >= HOLD_FRAMES || input->isActionHeld(KeyActionType::CANCEL));
    if (state_ == State::IDLE) return;
    MessageWindow* window = window_.get();
    if (!window) {
        // Nothing can show the message: the scene goes on rather than wait for ever.
        finish();
        return;
    }
    if (state_ == State::TYPING) {
        bool pressed = input->isActionOn(KeyActionType::OK) || input->isActionOn(KeyActionType::CANCEL);
        if (pressed || fastForward_) {
            NCaption* caption = window->getCaption();
            if (caption->getShownCount() < caption->getTotalCount()) {
                caption->clear();
                caption->showUpTo(SHOW_ALL);
            }
            // The press that showed the text must not also turn the page.
            if (pressed) input->clearActions();
        }
    } else if (state_ == State::WAITING_FOR_OK) {
        ++shownFrames_;
        if (fastForward_ && shownFrames_ >= SKIP_FRAMES) {
            finish();
        } else if (input->isActionOn(KeyActionType::OK)) {
            NAudioManager::getInstance()->playSe(CURSOR_SOUND, 1.0f);
            input->clearActions();
            finish();
        }
    }
}

void MessageAdvance::finish() {
    if (state_ == State::WAITING_FOR_OK && window_) window_->hideNextCursor();
    state_ = State::IDLE;
    Callback done = std::move(done_);
    done_ = nullptr;
    if (done) done();
}

std::string MessageAdvance::describe() const {
    switch (state_) {
        case State::TYPING:
            return "typing";
        case State::WAITING_FOR_OK:
            return "key OK";
        case State::IDLE:
            break;
    }
    return "";
}

}  // namespace vastomer

#include "game/app/ScreenshotKey.h"

#include <cstdio>

#include "engine/events/EventDispatcher.h"
#include "engine/platform/FileUtils.h"
#include "engine/scene/Director.h"
#include "game/app/ComfortSettings.h"

namespace vastomer {

namespace {

constexpr int MOST_PICTURES = 9999;

std::string folderPath() {
    return engine::FileUtils::getInstance()->getWritablePath() + ScreenshotKey::FOLDER;
}

}  // namespace

ScreenshotKey::~ScreenshotKey() {
    uninstall();
}

void ScreenshotKey::install() {
    uninstall();
    engine::Director* director = engine::Director::getInstance();
    listener_ = engine::EventListenerKeyboard::create();
    listener_->onKeyPressed = [this](engine::KeyCode code, engine::Event* /*event*/) {
        if (static_cast<int>(code) == KEY_CODE) take();
    };
    director->getEventDispatcher()->addEventListenerWithFixedPriority(listener_, PRIORITY);
}

void ScreenshotKey::uninstall() {
    if (!listener_) return;
    if (engine::Director* director = engine::Director::peekInstance())
        director->getEventDispatcher()->removeEventListener(listener_);
    listener_.reset();
}

std::string ScreenshotKey::nextFileName() {
    engine::FileUtils* files = engine::FileUtils::getInstance();
    const std::string folder = folderPath();
    for (int number = 1; number <= MOST_PICTURES; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "quorin_%04d.png", number);
        if (!files->isFileExist(folder + name)) return folder + name;
    }
    // Every number is taken: the last one is written over rather than nothing saved.
    return folder + "quorin_9999.png";
}

bool ScreenshotKey::take() {
    if (!ComfortSettings::isScreenshotKeyEnabled()) return false;
    engine::FileUtils* files = engine::FileUtils::getInstance();
    const std::string folder = folderPath();
    if (!files->isDirectoryExist(folder) && !files->createDirectory(folder)) {
        std::fprintf(stderr, "quorin: cannot make the screenshot folder %s\n", folder.c_str());
        return false;
    }
    // Two presses before the frame is drawn would pick the same free name: the second waits its turn.
    if (engine::Director::getInstance()->hasPendingCapture()) return false;
    lastFile_ = nextFileName();
    ++taken_;
    engine::Director::getInstance()->captureNextFrame(lastFile_, [file = lastFile_](bool written) {
        if (written)
            std::fprintf(stderr, "quorin: screenshot saved to %s\n", file.c_str());
        else
            std::fprintf(stderr, "quorin: cannot save the screenshot %s\n", file.c_str());
    });
    return true;
}

}  // namespace vastomer

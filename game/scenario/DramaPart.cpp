#include "game/scenario/DramaPart.h"

#include <cstdio>

#include "engine/base/RefPtr.h"
#include "engine/platform/FileUtils.h"
#include "game/data/DataManager.h"
#include "game/data/DataSource.h"
#include "game/data/Diagnostics.h"
#include "game/data/StringsManager.h"
#include "game/scenario/CompositeAnimation.h"
#include "game/scenario/MessageWindow.h"

namespace vastomer {

namespace {

bool fileExists(const std::string& file) {
    return !engine::FileUtils::getInstance()->fullPathForFilename(file).empty();
}

int equippedWear() {
    DataManager* data = DataManager::peekInstance();
    return data ? data->getEquippedWear() : 0;
}

}  // namespace

DramaPart* DramaPart::create() {
    auto* part = new DramaPart();
    if (!part->init()) {
        delete part;
        return nullptr;
    }
    part->autorelease();
    return part;
}

bool DramaPart::load(const std::string& file) {
    Diagnostics diagnostics;
    DramaScript script;
    const bool loaded = DramaScript::load(file, DataSource::searchPaths(), script, &diagnostics);
    for (const Diagnostic& entry : diagnostics.entries())
        std::fprintf(stderr, "quorin: %s\n", Diagnostics::format(entry).c_str());
    setScript(loaded ? std::move(script) : DramaScript(), file);
    return loaded;
}

void DramaPart::setScript(DramaScript script, const std::string& file) {
    script_ = std::move(script);
    file_ = file;
}

void DramaPart::start(FinishedCallback onFinished) {
    onFinished_ = std::move(onFinished);
    index_ = 0;
    running_ = true;
    finished_ = false;
    waiting_ = false;
    timedWait_ = false;
    ++blockTicket_;
    advance_.cancel();
    scheduleUpdate();
}

void DramaPart::setPaused(bool paused) {
    paused_ = paused;
    for (auto& entry : animations_)
        if (CompositeAnimation* animation = entry.second.get()) animation->setPaused(paused);
}

void DramaPart::update(float dt) {
    if (!running_ || paused_) return;
    engine::RefPtr<DramaPart> keepAlive(this);
    if (waiting_) {
        if (advance_.isRunning()) advance_.update();
        return;
    }
    if (timedWait_) {
        remaining_ -= dt;
        if (remaining_ <= 0.0f) timedWait_ = false;
        return;
    }
    const std::vector<DramaPartData>& records = script_.records;
    while (index_ < records.size()) {
        DramaPartData record = records[index_];
        ++index_;
        execute(record);
        if (!running_ || timedWait_ || waiting_) return;
    }
    // A part without records (a header alone, or nothing) ends here too.
    finish();
}

void DramaPart::finish() {
    running_ = false;
    finished_ = true;
    FinishedCallback finished = onFinished_;
    if (finished) finished(this);
}

std::function<void()> DramaPart::block(const std::string& what) {
    unsigned ticket = ++blockTicket_;
    waiting_ = true;
    waitWhat_ = what;
    engine::WeakRef<DramaPart> self(this);
    return [self, ticket]() {
        DramaPart* part = self.get();
        if (!part || part->blockTicket_ != ticket) return;
        part->waiting_ = false;
        part->waitWhat_.clear();
    };
}

std::string DramaPart::getWaitDescription() const {
    if (timedWait_) return "seconds";
    if (!waiting_) return "";
    if (advance_.isRunning()) return "message (" + advance_.describe() + ")";
    return waitWhat_;
}

void DramaPart::execute(const DramaPartData& record) {
    switch (record.type) {
        case DramaPartData::ANIME:
            showAnimation(record);
            break;
        case DramaPartData::ANIME_REMOVE:
            removeAnimation(record.name);
            break;
        case DramaPartData::MESSAGE:
            showMessage(record);
            break;
        case DramaPartData::MESSAGE_END:
            if (MessageWindow* window = messageWindow_.get()) window->closeWindow(block("window closing"));
            break;
        case DramaPartData::WAIT:
            timedWait_ = true;
            remaining_ = record.seconds;
            break;
        default:
            break;
    }
}

void DramaPart::showAnimation(const DramaPartData& record) {
    const std::string file =
        record.costumed ? DramaScript::costumedFile(record.file, equippedWear()) : record.file;
    if (!fileExists(file)) {
        // Nothing to wait for: the part goes on without the picture.
        std::fprintf(stderr, "quorin: %s:%d: animation '%s' not found\n", file_.c_str(), record.line,
                     file.c_str());
        return;
    }
    removeAnimation(record.name);
    CompositeAnimation* animation = CompositeAnimation::create();
    animation->load(file);
    animation->setAnchorPoint(record.anchor);
    engine::Vec2 position = record.position;
    if (record.relative && getParent()) {
        // Measured from the parent's lower-left corner rather than from the part (at its centre).
        const engine::Size& size = getParent()->getContentSize();
        position -= engine::Vec2(size.width * 0.5f, size.height * 0.5f);
    }
    animation->setPosition(position);
    addChild(animation, record.z);
    animations_[record.name] = animation;
    if (paused_) animation->setPaused(true);
    if (onAnimation_) onAnimation_(this, record, animation);
    std::function<void()> release;
    if (!record.noWait) release = block("animation " + record.name);
    animation->play(
        [release](CompositeAnimation*) {
            if (release) release();
        },
        record.loop);
}

void DramaPart::removeAnimation(const std::string& name) {
    auto found = animations_.find(name);
    if (found == animations_.end()) return;
    if (CompositeAnimation* animation = found->second.get()) {
        animation->stop();
        animation->removeFromParent();
    }
    animations_.erase(found);
}

void DramaPart::showMessage(const DramaPartData& record) {
    MessageWindow* window = messageWindow_.get();
    if (!window) return;  // nobody could read it: the part goes on
    window->setSpeakerName(StringsManager::getInstance()->getCharacterName(record.speaker));
    const std::string portrait = DramaScript::portraitFile(record.picture, equippedWear());
    if (!portrait.empty()) {
        if (!fileExists(portrait))
            std::fprintf(stderr, "quorin: %s:%d: picture '%s' not found\n", file_.c_str(), record.line,
                         portrait.c_str());
        window->setSpeakerPicture(portrait, record.left, true, false, nullptr);
    }
    window->setSide(record.left);
    if (!window->isOpen()) window->openWindow(nullptr);
    window->setTextKey(record.textKey);
    const std::string text = StringsManager::getInstance()->getString(record.textKey);
    if (record.noWait) {
        advance_.cancel();
        window->setMessageText(text);
        window->showMessage(nullptr);
        return;
    }
    advance_.start(window, text, false, block("message"));
}

CompositeAnimation* DramaPart::getAnimation(const std::string& name) const {
    auto found = animations_.find(name);
    return found == animations_.end() ? nullptr : found->second.get();
}

std::vector<std::string> DramaPart::getAnimationNames() const {
    std::vector<std::string> names;
    for (const auto& entry : animations_)
        if (entry.second) names.push_back(entry.first);
    return names;
}

}  // namespace vastomer

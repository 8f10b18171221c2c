#include "engine/scene/Node.h"

#include <algorithm>
#include <cmath>

#include "engine/actions/Action.h"
#include "engine/actions/ActionManager.h"
#include "engine/events/EventDispatcher.h"
#include "engine/physics/PhysicsBody.h"
#include "engine/render/Renderer.h"
#include "engine/scene/Director.h"
#include "engine/scene/Scene.h"
#include "engine/scene/Scheduler.h"

namespace engine {

namespace {
constexpr float kDegreesToRadians = 3.14159265358979323846f / 180.0f;
}

uint64_t Node::nextOrderOfArrival() {
    static uint64_t counter = 0;
    return ++counter;
}

Node::Node() = default;

Node* Node::create() {
    auto* node = new Node();
    if (node->init()) {
        node->autorelease();
        return node;
    }
    delete node;
    return nullptr;
}

bool Node::init() {
    return true;
}

Node::~Node() {
    // The body outlives its node when something else holds it; it then has no node.
    if (physicsBody_) physicsBody_->onNodeDestroyed();
    // Children normally leave through removal; a node destroyed with children still attached
    // (only possible when its owner released it directly) drops them here.
    for (Node* child : children_) {
        child->parent_ = nullptr;
        child->release();
    }
    children_.clear();
    Director* director = Director::peekInstance();
    if (director) {
        director->getActionManager()->removeAllActionsFromTarget(this);
        director->getScheduler()->unscheduleAllForTarget(this);
        director->getEventDispatcher()->removeEventListenersForTarget(this);
    }
}

Scheduler* Node::getScheduler() const {
    return Director::getInstance()->getScheduler();
}
ActionManager* Node::getActionManager() const {
    return Director::getInstance()->getActionManager();
}
EventDispatcher* Node::getEventDispatcher() const {
    return Director::getInstance()->getEventDispatcher();
}

// ---------------------------------------------------------------- hierarchy

void Node::addChild(Node* child) {
    childAdded(child, child->localZOrder_, child->tag_, false);
}

void Node::addChild(Node* child, int localZOrder) {
    childAdded(child, localZOrder, child->tag_, false);
}

void Node::addChild(Node* child, int localZOrder, int tag) {
    childAdded(child, localZOrder, tag, true);
}

void Node::addChild(Node* child, int localZOrder, const std::string& name) {
    childAdded(child, localZOrder, child->tag_, false);
    child->name_ = name;
}

void Node::childAdded(Node* child, int localZOrder, int tag, bool setTag) {
    if (!child || child == this || child->parent_) return;
    child->retain();
    children_.push_back(child);
    child->localZOrder_ = localZOrder;
    child->orderOfArrival_ = nextOrderOfArrival();
    if (setTag) child->tag_ = tag;
    child->parent_ = this;
    reorderChildDirty_ = true;
    if (running_) {
        child->onEnter();
        child->onEnterTransitionDidFinish();
    }
    if (cascadeColor_) child->updateDisplayedColor(displayedColor_);
    if (cascadeOpacity_) child->updateDisplayedOpacity(displayedOpacity_);
}

void Node::removeChild(Node* child, bool cleanup) {
    if (!child) return;
    auto it = std::find(children_.begin(), children_.end(), child);
    if (it == children_.end()) return;
    detachChild(child, static_cast<std::size_t>(it - children_.begin()), cleanup);
}

void Node::detachChild(Node* child, std::size_t index, bool cleanup) {
    // Keep the child alive while its exit callbacks run.
    child->retain();
    if (running_) {
        child->onExitTransitionDidStart();
        child->onExit();
    }
    if (cleanup) child->cleanup();
    child->parent_ = nullptr;
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
    child->release();
    // The parent's reference is dropped at the end of the frame, never in the middle of a callback:
    // code that removed a node may still hold a plain pointer to it until the frame ends.
    child->autorelease();
}

void Node::removeChildByTag(int tag, bool cleanup) {
    if (Node* child = getChildByTag(tag)) removeChild(child, cleanup);
}

void Node::removeChildByName(const std::string& name, bool cleanup) {
    if (Node* child = getChildByName(name)) removeChild(child, cleanup);
}

void Node::removeAllChildren() {
    removeAllChildrenWithCleanup(true);
}

void Node::removeAllChildrenWithCleanup(bool cleanup) {
    while (!children_.empty())
        detachChild(children_.back(), children_.size() - 1, cleanup);
}

void Node::removeFromParent() {
    removeFromParentAndCleanup(true);
}

void Node::removeFromParentAndCleanup(bool cleanup) {
    if (parent_) parent_->removeChild(this, cleanup);
}

Node* Node::getChildByTag(int tag) const {
    for (Node* child : children_)
        if (child->tag_ == tag) return child;
    return nullptr;
}

Node* Node::getChildByName(const std::string& name) const {
    for (Node* child : children_)
        if (child->name_ == name) return child;
    return nullptr;
}

Scene* Node::getScene() const {
    const Node* node = this;
    while (node->parent_)
        node = node->parent_;
    return dynamic_cast<Scene*>(const_cast<Node*>(node));
}

// ---------------------------------------------------------------- z order

void Node::setLocalZOrder(int z) {
    if (localZOrder_ == z) return;
    if (parent_) {
        parent_->reorderChild(this, z);
    } else {
        localZOrder_ = z;
    }
}

void Node::reorderChild(Node* child, int localZOrder) {
    if (!child || child->parent_ != this) return;
    child->localZOrder_ = localZOrder;
    child->orderOfArrival_ = nextOrderOfArrival();
    reorderChildDirty_ = true;
}

void Node::sortAllChildren() {
    if (!reorderChildDirty_) return;
    std::stable_sort(children_.begin(), children_.end(), [](const Node* a, const Node* b) {
        if (a->localZOrder_ != b->localZOrder_) return a->localZOrder_ < b->localZOrder_;
        return a->orderOfArrival_ < b->orderOfArrival_;
    });
    reorderChildDirty_ = false;
}

// ---------------------------------------------------------------- transform

void Node::setPosition(const Vec2& position) {
    position_ = position;
    transformChanged();
}

void Node::getPosition(float* x, float* y) const {
    if (x) *x = position_.x;
    if (y) *y = position_.y;
}

void Node::setPositionZ(float z) {
    positionZ_ = z;
}

void Node::setAnchorPoint(const Vec2& anchor) {
    if (anchor == anchorPoint_) return;
    anchorPoint_ = anchor;
    updateAnchorPointInPoints();
}

void Node::setContentSize(const Size& size) {
    if (size == contentSize_) return;
    contentSize_ = size;
    updateAnchorPointInPoints();
}

void Node::updateAnchorPointInPoints() {
    anchorPointInPoints_ = Vec2(contentSize_.width * anchorPoint_.x, contentSize_.height * anchorPoint_.y);
    transformChanged();
}

void Node::setScale(float scale) {
    scaleX_ = scaleY_ = scaleZ_ = scale;
    transformChanged();
}

void Node::setScale(float scaleX, float scaleY) {
    scaleX_ = scaleX;
    scaleY_ = scaleY;
    transformChanged();
}

void Node::setScaleX(float scaleX) {
    scaleX_ = scaleX;
    transformChanged();
}

void Node::setScaleY(float scaleY) {
    scaleY_ = scaleY;
    transformChanged();
}

void Node::setScaleZ(float scaleZ) {
    scaleZ_ = scaleZ;
}

void Node::setRotation(float degrees) {
    rotation_ = degrees;
    double radians = static_cast<double>(degrees) * kDegreesToRadians;
    rotationSin_ = static_cast<float>(std::sin(radians));
    rotationCos_ = static_cast<float>(std::cos(radians));
    // Keep exact values on the right angles so that turned nodes stay axis-aligned.
    if (std::fmod(std::fabs(degrees), 90.0f) == 0.0f) {
        rotationSin_ = std::round(rotationSin_);
        rotationCos_ = std::round(rotationCos_);
    }
    transformChanged();
}

void Node::setIgnoreAnchorPointForPosition(bool ignore) {
    ignoreAnchorPointForPosition_ = ignore;
    transformChanged();
}

AffineTransform Node::getNodeToParentTransform() const {
    // parentPoint = translation + R * S * (localPoint - anchorInPoints); positive rotation turns clockwise.
    float sx = scaleX_, sy = scaleY_;
    float cosR = rotationCos_, sinR = rotationSin_;
    AffineTransform t;
    t.a = cosR * sx;
    t.b = -sinR * sx;
    t.c = sinR * sy;
    t.d = cosR * sy;
    Vec2 translation = position_;
    if (ignoreAnchorPointForPosition_) translation += anchorPointInPoints_;
    const Vec2& ap = anchorPointInPoints_;
    t.tx = translation.x - (t.a * ap.x + t.c * ap.y);
    t.ty = translation.y - (t.b * ap.x + t.d * ap.y);
    return t;
}

AffineTransform Node::getNodeToWorldTransform() const {
    AffineTransform t = getNodeToParentTransform();
    for (const Node* p = parent_; p; p = p->parent_)
        t = p->getNodeToParentTransform().concat(t);
    return t;
}

AffineTransform Node::getWorldToNodeTransform() const {
    return getNodeToWorldTransform().inverse();
}

float Node::getWorldPositionZ() const {
    float z = positionZ_;
    for (const Node* p = parent_; p; p = p->parent_)
        z += p->positionZ_;
    return z;
}

Vec2 Node::convertToWorldSpace(const Vec2& nodePoint) const {
    return getNodeToWorldTransform().apply(nodePoint);
}

Vec2 Node::convertToNodeSpace(const Vec2& worldPoint) const {
    return getWorldToNodeTransform().apply(worldPoint);
}

Vec2 Node::convertToWorldSpaceAR(const Vec2& nodePoint) const {
    return convertToWorldSpace(nodePoint + anchorPointInPoints_);
}

Vec2 Node::convertToNodeSpaceAR(const Vec2& worldPoint) const {
    return convertToNodeSpace(worldPoint) - anchorPointInPoints_;
}

Rect Node::getBoundingBox() const {
    AffineTransform t = getNodeToParentTransform();
    const Size& s = getContentSize();
    Vec2 corners[4] = {t.apply({0, 0}), t.apply({s.width, 0}), t.apply({0, s.height}),
                       t.apply({s.width, s.height})};
    float minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (const Vec2& c : corners) {
        minX = std::min(minX, c.x);
        maxX = std::max(maxX, c.x);
        minY = std::min(minY, c.y);
        maxY = std::max(maxY, c.y);
    }
    return Rect(minX, minY, maxX - minX, maxY - minY);
}

// ---------------------------------------------------------------- opacity and colour

void Node::setOpacity(uint8_t opacity) {
    realOpacity_ = opacity;
    uint8_t parentOpacity = (parent_ && parent_->cascadeOpacity_) ? parent_->displayedOpacity_ : 255;
    updateDisplayedOpacity(parentOpacity);
}

void Node::updateDisplayedOpacity(uint8_t parentOpacity) {
    displayedOpacity_ = static_cast<uint8_t>(realOpacity_ * parentOpacity / 255);
    if (cascadeOpacity_)
        for (Node* child : children_)
            child->updateDisplayedOpacity(displayedOpacity_);
}

void Node::setCascadeOpacityEnabled(bool enabled) {
    if (cascadeOpacity_ == enabled) return;
    cascadeOpacity_ = enabled;
    if (enabled) {
        setOpacity(realOpacity_);
    } else {
        displayedOpacity_ = realOpacity_;
        for (Node* child : children_)
            child->updateDisplayedOpacity(255);
    }
}

void Node::setColor(const Color3B& color) {
    realColor_ = color;
    Color3B parentColor = (parent_ && parent_->cascadeColor_) ? parent_->displayedColor_ : Color3B::WHITE;
    updateDisplayedColor(parentColor);
}

void Node::updateDisplayedColor(const Color3B& parentColor) {
    displayedColor_.r = static_cast<uint8_t>(realColor_.r * parentColor.r / 255);
    displayedColor_.g = static_cast<uint8_t>(realColor_.g * parentColor.g / 255);
    displayedColor_.b = static_cast<uint8_t>(realColor_.b * parentColor.b / 255);
    if (cascadeColor_)
        for (Node* child : children_)
            child->updateDisplayedColor(displayedColor_);
}

void Node::setCascadeColorEnabled(bool enabled) {
    if (cascadeColor_ == enabled) return;
    cascadeColor_ = enabled;
    if (enabled) {
        setColor(realColor_);
    } else {
        displayedColor_ = realColor_;
        for (Node* child : children_)
            child->updateDisplayedColor(Color3B::WHITE);
    }
}

// ---------------------------------------------------------------- life cycle

void Node::onEnter() {
    running_ = true;
    if (physicsBody_) physicsBody_->onNodeEnter();
    // Children may be removed by their own onEnter; iterate over a snapshot that keeps them alive.
    std::vector<RefPtr<Node>> snapshot(children_.begin(), children_.end());
    for (auto& child : snapshot)
        if (child->parent_ == this && !child->running_) child->onEnter();
    resume();
}

void Node::onEnterTransitionDidFinish() {
    std::vector<RefPtr<Node>> snapshot(children_.begin(), children_.end());
    for (auto& child : snapshot)
        if (child->parent_ == this) child->onEnterTransitionDidFinish();
}

void Node::onExitTransitionDidStart() {
    std::vector<RefPtr<Node>> snapshot(children_.begin(), children_.end());
    for (auto& child : snapshot)
        if (child->parent_ == this) child->onExitTransitionDidStart();
}

void Node::onExit() {
    // Leaving the world ends the body's contacts while the node still has its parent.
    if (physicsBody_) physicsBody_->onNodeExit();
    pause();
    running_ = false;
    std::vector<RefPtr<Node>> snapshot(children_.begin(), children_.end());
    for (auto& child : snapshot)
        if (child->parent_ == this && child->running_) child->onExit();
}

void Node::cleanup() {
    stopAllActions();
    unscheduleAllCallbacks();
    for (Node* child : children_)
        child->cleanup();
}

void Node::pause() {
    Director* director = Director::peekInstance();
    if (!director) return;
    director->getScheduler()->pauseTarget(this);
    director->getActionManager()->pauseTarget(this);
    director->getEventDispatcher()->pauseEventListenersForTarget(this);
}

void Node::resume() {
    Director* director = Director::peekInstance();
    if (!director) return;
    director->getScheduler()->resumeTarget(this);
    director->getActionManager()->resumeTarget(this);
    director->getEventDispatcher()->resumeEventListenersForTarget(this);
}

// ---------------------------------------------------------------- actions

Action* Node::runAction(Action* action) {
    if (!action) return nullptr;
    getActionManager()->addAction(action, this, !running_);
    return action;
}

void Node::stopAllActions() {
    if (Director* director = Director::peekInstance())
        director->getActionManager()->removeAllActionsFromTarget(this);
}

void Node::stopAction(Action* action) {
    getActionManager()->removeAction(action);
}

void Node::stopActionByTag(int tag) {
    getActionManager()->removeActionByTag(tag, this);
}

Action* Node::getActionByTag(int tag) const {
    return getActionManager()->getActionByTag(tag, this);
}

std::size_t Node::getNumberOfRunningActions() const {
    return getActionManager()->getNumberOfRunningActionsInTarget(this);
}

// ---------------------------------------------------------------- scheduling

void Node::scheduleUpdateWithPriority(int priority) {
    getScheduler()->scheduleUpdate(this, priority, !running_);
}

void Node::unscheduleUpdate() {
    getScheduler()->unscheduleUpdate(this);
}

bool Node::isUpdateScheduled() const {
    return getScheduler()->isUpdateScheduled(this);
}

void Node::schedule(const SchedulerCallback& callback, const std::string& key) {
    schedule(callback, 0.0f, Scheduler::REPEAT_FOREVER, 0.0f, key);
}

void Node::schedule(const SchedulerCallback& callback, float interval, const std::string& key) {
    schedule(callback, interval, Scheduler::REPEAT_FOREVER, 0.0f, key);
}

void Node::schedule(const SchedulerCallback& callback, float interval, unsigned int repeat, float delay,
                    const std::string& key) {
    getScheduler()->schedule(callback, this, interval, repeat, delay, !running_, key);
}

void Node::scheduleOnce(const SchedulerCallback& callback, float delay, const std::string& key) {
    schedule(callback, 0.0f, 0, delay, key);
}

void Node::unschedule(const std::string& key) {
    getScheduler()->unschedule(key, this);
}

bool Node::isScheduled(const std::string& key) const {
    return getScheduler()->isScheduled(key, this);
}

void Node::unscheduleAllCallbacks() {
    if (Director* director = Director::peekInstance()) director->getScheduler()->unscheduleAllForTarget(this);
}

void Node::update(float /*dt*/) {}

// ---------------------------------------------------------------- physics

void Node::setPhysicsBody(PhysicsBody* body) {
    if (body == physicsBody_.get()) return;
    RefPtr<PhysicsBody> keep(body);
    if (body && body->getNode()) body->getNode()->setPhysicsBody(nullptr);
    if (physicsBody_) physicsBody_->detachFromNode();
    physicsBody_ = body;
    if (!body) return;
    body->attachToNode(this);
    scheduleUpdate();
    if (running_) body->onNodeEnter();
}

// ---------------------------------------------------------------- drawing

void Node::visit(Renderer& renderer, const DrawContext& parent) {
    if (!visible_) return;
    DrawContext context;
    context.transform = parent.transform.concat(getNodeToParentTransform());
    context.z = parent.z + positionZ_;
    sortAllChildren();
    std::size_t i = 0;
    for (; i < children_.size() && children_[i]->localZOrder_ < 0; ++i)
        children_[i]->visit(renderer, context);
    draw(renderer, context);
    for (; i < children_.size(); ++i)
        children_[i]->visit(renderer, context);
}

void Node::draw(Renderer& /*renderer*/, const DrawContext& /*context*/) {}

}  // namespace engine

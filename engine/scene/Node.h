#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/base/AffineTransform.h"
#include "engine/base/Color.h"
#include "engine/base/Geometry.h"
#include "engine/base/Ref.h"
#include "engine/base/RefPtr.h"
#include "engine/render/DrawContext.h"
#include "engine/render/Drawable.h"

namespace engine {

class Action;
class ActionManager;
class EventDispatcher;
class PhysicsBody;
class Renderer;
class Scene;
class Scheduler;

// The scene-graph node: transform, children in z order, scheduling, actions, opacity and colour.
class Node : public Ref, public Drawable {
public:
    static constexpr int INVALID_TAG = -1;

    static Node* create();
    virtual bool init();
    ~Node() override;

    // --- hierarchy ---
    virtual void addChild(Node* child);
    virtual void addChild(Node* child, int localZOrder);
    virtual void addChild(Node* child, int localZOrder, int tag);
    virtual void addChild(Node* child, int localZOrder, const std::string& name);
    virtual void removeChild(Node* child, bool cleanup = true);
    void removeChildByTag(int tag, bool cleanup = true);
    void removeChildByName(const std::string& name, bool cleanup = true);
    virtual void removeAllChildren();
    virtual void removeAllChildrenWithCleanup(bool cleanup);
    void removeFromParent();
    virtual void removeFromParentAndCleanup(bool cleanup);
    Node* getParent() const { return parent_; }
    const std::vector<Node*>& getChildren() const { return children_; }
    std::size_t getChildrenCount() const { return children_.size(); }
    Node* getChildByTag(int tag) const;
    Node* getChildByName(const std::string& name) const;
    // The scene this node is attached to, or null.
    Scene* getScene() const;

    // --- z order ---
    virtual void setLocalZOrder(int z);
    int getLocalZOrder() const { return localZOrder_; }
    void setZOrder(int z) { setLocalZOrder(z); }
    virtual void reorderChild(Node* child, int localZOrder);
    // Sorts children by (z, arrival); done lazily before drawing.
    void sortAllChildren();
    uint64_t getOrderOfArrival() const { return orderOfArrival_; }
    // Order across the whole tree: draws are sorted by global z order first (lower first), and draws
    // of equal global z order keep the tree order above. A node without one of its own inherits the
    // nearest ancestor's, so a node and the children that make up its picture move together; the
    // root's is 0. Setting 0 on a node gives it 0 explicitly.
    virtual void setGlobalZOrder(float globalZOrder);
    float getGlobalZOrder() const { return globalZOrder_; }
    bool hasGlobalZOrder() const { return hasGlobalZOrder_; }

    // --- transform ---
    virtual void setPosition(const Vec2& position);
    void setPosition(float x, float y) { setPosition(Vec2(x, y)); }
    const Vec2& getPosition() const { return position_; }
    void getPosition(float* x, float* y) const;
    void setPositionX(float x) { setPosition(Vec2(x, position_.y)); }
    void setPositionY(float y) { setPosition(Vec2(position_.x, y)); }
    float getPositionX() const { return position_.x; }
    float getPositionY() const { return position_.y; }
    virtual void setPositionZ(float z);
    float getPositionZ() const { return positionZ_; }
    virtual void setAnchorPoint(const Vec2& anchor);
    const Vec2& getAnchorPoint() const { return anchorPoint_; }
    const Vec2& getAnchorPointInPoints() const { return anchorPointInPoints_; }
    virtual void setContentSize(const Size& size);
    virtual const Size& getContentSize() const { return contentSize_; }
    virtual void setScale(float scale);
    void setScale(float scaleX, float scaleY);
    virtual void setScaleX(float scaleX);
    virtual void setScaleY(float scaleY);
    void setScaleZ(float scaleZ);
    float getScale() const { return scaleX_; }
    float getScaleX() const { return scaleX_; }
    float getScaleY() const { return scaleY_; }
    float getScaleZ() const { return scaleZ_; }
    // Degrees, clockwise on screen.
    virtual void setRotation(float degrees);
    float getRotation() const { return rotation_; }
    virtual void setIgnoreAnchorPointForPosition(bool ignore);
    void ignoreAnchorPointForPosition(bool ignore) { setIgnoreAnchorPointForPosition(ignore); }
    bool isIgnoreAnchorPointForPosition() const { return ignoreAnchorPointForPosition_; }

    AffineTransform getNodeToParentTransform() const;
    AffineTransform getNodeToWorldTransform() const;
    AffineTransform getWorldToNodeTransform() const;
    // Sum of position Z of this node and its ancestors (what the perspective is computed from).
    float getWorldPositionZ() const;
    Vec2 convertToWorldSpace(const Vec2& nodePoint) const;
    Vec2 convertToNodeSpace(const Vec2& worldPoint) const;
    Vec2 convertToWorldSpaceAR(const Vec2& nodePoint) const;
    Vec2 convertToNodeSpaceAR(const Vec2& worldPoint) const;
    // Axis-aligned box of the node's content rectangle in its parent's space.
    Rect getBoundingBox() const;

    // --- identity and data ---
    virtual void setVisible(bool visible) { visible_ = visible; }
    bool isVisible() const { return visible_; }
    void setTag(int tag) { tag_ = tag; }
    int getTag() const { return tag_; }
    void setName(const std::string& name) { name_ = name; }
    const std::string& getName() const { return name_; }
    void setUserData(void* data) { userData_ = data; }
    void* getUserData() const { return userData_; }
    void setUserObject(Ref* object) { userObject_ = object; }
    Ref* getUserObject() const { return userObject_.get(); }

    // --- opacity and colour ---
    virtual void setOpacity(uint8_t opacity);
    uint8_t getOpacity() const { return realOpacity_; }
    uint8_t getDisplayedOpacity() const { return displayedOpacity_; }
    virtual void updateDisplayedOpacity(uint8_t parentOpacity);
    virtual void setCascadeOpacityEnabled(bool enabled);
    bool isCascadeOpacityEnabled() const { return cascadeOpacity_; }
    virtual void setColor(const Color3B& color);
    const Color3B& getColor() const { return realColor_; }
    const Color3B& getDisplayedColor() const { return displayedColor_; }
    virtual void updateDisplayedColor(const Color3B& parentColor);
    virtual void setCascadeColorEnabled(bool enabled);
    bool isCascadeColorEnabled() const { return cascadeColor_; }

    // --- life cycle ---
    virtual void onEnter();
    virtual void onEnterTransitionDidFinish();
    virtual void onExitTransitionDidStart();
    virtual void onExit();
    // Stops actions and scheduled callbacks of this node and all descendants.
    virtual void cleanup();
    bool isRunning() const { return running_; }
    // Pauses or resumes this node's actions, scheduled callbacks and event listeners.
    void pause();
    void resume();

    // --- actions ---
    Action* runAction(Action* action);
    void stopAllActions();
    void stopAction(Action* action);
    void stopActionByTag(int tag);
    Action* getActionByTag(int tag) const;
    std::size_t getNumberOfRunningActions() const;

    // --- scheduling ---
    void scheduleUpdate() { scheduleUpdateWithPriority(0); }
    void scheduleUpdateWithPriority(int priority);
    void unscheduleUpdate();
    bool isUpdateScheduled() const;
    using SchedulerCallback = std::function<void(float)>;
    void schedule(const SchedulerCallback& callback, const std::string& key);
    void schedule(const SchedulerCallback& callback, float interval, const std::string& key);
    void schedule(const SchedulerCallback& callback, float interval, unsigned int repeat, float delay,
                  const std::string& key);
    void scheduleOnce(const SchedulerCallback& callback, float delay, const std::string& key);
    void unschedule(const std::string& key);
    bool isScheduled(const std::string& key) const;
    void unscheduleAllCallbacks();
    // Called every frame once scheduled; dt is always 1/60 s.
    virtual void update(float dt);

    // --- drawing ---
    virtual void visit(Renderer& renderer, const DrawContext& parent);
    void draw(Renderer& renderer, const DrawContext& context) override;

    Scheduler* getScheduler() const;
    ActionManager* getActionManager() const;
    EventDispatcher* getEventDispatcher() const;

    // --- physics ---
    // Attaches a body (null detaches the current one). The body joins the scene's physics world
    // while this node is in the running scene. Attaching schedules update() at priority 0.
    virtual void setPhysicsBody(PhysicsBody* body);
    PhysicsBody* getPhysicsBody() const { return physicsBody_.get(); }

protected:
    Node();
    // Whether `child` may be added here; reports the caller's mistake when not.
    bool canAdopt(const Node* child) const;
    void childAdded(Node* child, int localZOrder, int tag, bool setTag);
    // True while the node's destructors run (its last reference is gone).
    bool isBeingDestroyed() const { return getReferenceCount() == 0; }
    void detachChild(Node* child, std::size_t index, bool cleanup);
    // Called when the transform or content changes so subclasses can refresh cached geometry.
    virtual void transformChanged() {}
    // Called when the anchor point in points changes.
    void updateAnchorPointInPoints();

    Node* parent_ = nullptr;
    std::vector<Node*> children_;
    bool reorderChildDirty_ = false;
    int localZOrder_ = 0;
    uint64_t orderOfArrival_ = 0;
    float globalZOrder_ = 0.0f;
    bool hasGlobalZOrder_ = false;

    Vec2 position_;
    float positionZ_ = 0.0f;
    Vec2 anchorPoint_;
    Vec2 anchorPointInPoints_;
    Size contentSize_;
    float scaleX_ = 1.0f, scaleY_ = 1.0f, scaleZ_ = 1.0f;
    float rotation_ = 0.0f;
    float rotationSin_ = 0.0f, rotationCos_ = 1.0f;
    bool ignoreAnchorPointForPosition_ = false;

    bool visible_ = true;
    int tag_ = INVALID_TAG;
    std::string name_;
    void* userData_ = nullptr;
    RefPtr<Ref> userObject_;

    uint8_t realOpacity_ = 255;
    uint8_t displayedOpacity_ = 255;
    Color3B realColor_ = Color3B::WHITE;
    Color3B displayedColor_ = Color3B::WHITE;
    bool cascadeOpacity_ = false;
    bool cascadeColor_ = false;

    bool running_ = false;
    RefPtr<PhysicsBody> physicsBody_;

private:
    static uint64_t nextOrderOfArrival();
};

}  // namespace engine

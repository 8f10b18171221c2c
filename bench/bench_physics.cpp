// One physics step of 200 dynamic boxes falling into a pile on a floor, through the engine (nodes
// with bodies in a physics scene, stepped as the director does: node → body, step, body → node)
// and with raw Chipmunk calls (same boxes, materials, solver and body types). Both runs start from
// the same state and take the same number of steps. Reports both times and their ratio.
#include <benchmark/benchmark.h>
#include <chipmunk/chipmunk.h>
extern "C" {
#include <chipmunk/cpHastySpace.h>
}

#include <cstdio>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "engine/base/AutoreleasePool.h"
#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsWorld.h"
#include "engine/scene/Director.h"
#include "engine/scene/Scene.h"

using namespace engine;

namespace {

constexpr int kBoxes = 200;
constexpr int kSteps = 3000;
constexpr float kBox = 12.0f;
const PhysicsMaterial kMaterial(1.0f, 0.2f, 0.6f);

// Where the boxes start: a loose grid, every row shifted a little so the pile tumbles.
std::vector<Vec2> startPositions() {
    std::vector<Vec2> positions;
    for (int i = 0; i < kBoxes; ++i) {
        int column = i % 20, row = i / 20;
        float jitter = static_cast<float>((i * 7) % 5) - 2.0f;
        positions.emplace_back(340.0f + column * 14.0f + jitter, 80.0f + row * 14.0f);
    }
    return positions;
}

// The engine side: the boxes sit three levels down, as characters do under the play plane.
class EngineWorld {
public:
    EngineWorld() {
        Director::destroyInstance();
        scene_ = Scene::createWithPhysics();
        Node* parent = scene_;
        for (int depth = 0; depth < 3; ++depth) {
            Node* layer = Node::create();
            parent->addChild(layer);
            parent = layer;
        }
        addBox(parent, Vec2(480, 50), Size(600, 20), false);
        for (const Vec2& position : startPositions())
            addBox(parent, position, Size(kBox, kBox), true);
        Director::getInstance()->runWithScene(scene_);
        AutoreleasePool::getInstance().clear();
    }
    ~EngineWorld() { Director::destroyInstance(); }

    void step() { scene_->stepPhysics(Director::FRAME_TIME); }

private:
    static void addBox(Node* parent, const Vec2& position, const Size& size, bool dynamic) {
        Node* node = Node::create();
        node->setContentSize(size);
        node->setAnchorPoint(Vec2::ANCHOR_MIDDLE);
        node->setPosition(position);
        PhysicsBody* body = PhysicsBody::createBox(size, kMaterial);
        body->setDynamic(dynamic);
        node->setPhysicsBody(body);
        parent->addChild(node);
    }

    Scene* scene_ = nullptr;
};

// The same simulation written directly against Chipmunk.
class RawWorld {
public:
    RawWorld() : space_(cpHastySpaceNew()) {
        cpHastySpaceSetThreads(space_, 1);
        cpSpaceSetGravity(space_, cpv(0, -98));
        addBox(Vec2(480, 50), Size(600, 20), false);
        for (const Vec2& position : startPositions())
            addBox(position, Size(kBox, kBox), true);
    }
    ~RawWorld() {
        for (cpShape* shape : shapes_) {
            cpSpaceRemoveShape(space_, shape);
            cpShapeFree(shape);
        }
        for (cpBody* body : bodies_) {
            cpSpaceRemoveBody(space_, body);
            cpBodyFree(body);
        }
        cpHastySpaceFree(space_);
    }

    void step() { cpHastySpaceStep(space_, Director::FRAME_TIME); }

private:
    void addBox(const Vec2& position, const Size& size, bool dynamic) {
        cpFloat mass = kMaterial.density * size.width * size.height;
        cpBody* body =
            dynamic ? cpBodyNew(mass, cpMomentForBox(mass, size.width, size.height)) : cpBodyNewKinematic();
        cpBodySetPosition(body, cpv(position.x, position.y));
        cpSpaceAddBody(space_, body);
        // The same polygon as the engine's box (corners counter-clockwise from the lower left), so
        // that both runs simulate exactly the same thing.
        const cpFloat w = size.width / 2, h = size.height / 2;
        const cpVect corners[4] = {cpv(-w, -h), cpv(w, -h), cpv(w, h), cpv(-w, h)};
        cpShape* shape = cpPolyShapeNewRaw(body, 4, corners, 0.0);
        cpShapeSetElasticity(shape, kMaterial.restitution);
        cpShapeSetFriction(shape, kMaterial.friction);
        cpSpaceAddShape(space_, shape);
        bodies_.push_back(body);
        shapes_.push_back(shape);
    }

    cpSpace* space_;
    std::vector<cpBody*> bodies_;
    std::vector<cpShape*> shapes_;
};

void BM_EnginePhysicsStep(benchmark::State& state) {
    EngineWorld world;
    for (auto _ : state)
        world.step();
}

void BM_RawChipmunkStep(benchmark::State& state) {
    RawWorld world;
    for (auto _ : state)
        world.step();
}

BENCHMARK(BM_EnginePhysicsStep)->Unit(benchmark::kMillisecond)->Iterations(kSteps)->Repetitions(3);
BENCHMARK(BM_RawChipmunkStep)->Unit(benchmark::kMillisecond)->Iterations(kSteps)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("BM_EnginePhysicsStep", "BM_RawChipmunkStep", "raw Chipmunk", "per step");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}

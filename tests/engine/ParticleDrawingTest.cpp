// What particle systems put on screen: the built-in dot, pictures embedded with gzip or zlib, colours
// and sizes over a life, the two motion modes, turning, and where particles stay when the emitter or
// its parent moves.
#include <string>

#include "engine/render/TextureCache.h"
#include "engine/scene/ParticleSystemQuad.h"
#include "engine/scene/ParticleTextures.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ParticleDefinitions.h"

using namespace engine;
using testsupport::Pixel;

namespace {

ValueMap withEmbeddedPicture(ValueMap definition, const std::vector<uint8_t>& png, bool gzip) {
    definition["textureFileName"] = Value(std::string("not_here.png"));
    definition["textureImageData"] = Value(base64Of(compressed(png, gzip)));
    return definition;
}

bool isBlack(Pixel c) {
    return c.r < 4 && c.g < 4 && c.b < 4;
}

}  // namespace

class ParticleDrawingTest : public EngineFixture {};

TEST_F(ParticleDrawingTest, ParticlesBuiltInDotIsRoundAndSoft) {
    ParticleSystemQuad* system = addSystem(scene_, stillParticles(1, 100.0, 64.0), Vec2(480, 270));
    ASSERT_NE(system, nullptr);
    system->setEmissionRate(60);
    runFrames(1);
    ASSERT_EQ(system->getParticleCount(), 1);
    EXPECT_GT(pixel(480, 270).r, 240);                // bright centre
    EXPECT_TRUE(isBlack(pixel(480 + 30, 270 + 30)));  // corner of the square: outside the disc
    // Softly falling off, the same in every direction (pixel centres 16.5 from the middle).
    int halfway = pixel(480 + 16, 270).r;
    EXPECT_GT(halfway, 30);
    EXPECT_LT(halfway, 220);
    EXPECT_NEAR(pixel(480 - 17, 270).r, halfway, 3);
    EXPECT_NEAR(pixel(480, 270 + 16).r, halfway, 3);
    EXPECT_NEAR(pixel(480, 270 - 17).r, halfway, 3);
}

TEST_F(ParticleDrawingTest, ParticlesDrawAPictureEmbeddedWithGzipOrZlib) {
    const std::vector<uint8_t> red = solidPng(8, 255, 0, 0);
    const std::vector<uint8_t> green = solidPng(8, 0, 255, 0);
    ParticleSystemQuad* gz =
        addSystem(scene_, withEmbeddedPicture(stillParticles(1, 100, 20), red, true), Vec2(200, 200));
    ParticleSystemQuad* zl =
        addSystem(scene_, withEmbeddedPicture(stillParticles(1, 100, 20), green, false), Vec2(400, 200));
    ASSERT_TRUE(gz && zl);
    ValueMap broken = stillParticles(1, 100, 20);
    broken["textureImageData"] = Value(std::string("not base64 at all!"));
    testing::internal::CaptureStderr();
    ParticleSystemQuad* fallback = addSystem(scene_, broken, Vec2(600, 200));
    std::string message = testing::internal::GetCapturedStderr();
    ASSERT_NE(fallback, nullptr);
    EXPECT_NE(message.find("textureImageData"), std::string::npos) << message;
    for (ParticleSystem* s : {static_cast<ParticleSystem*>(gz), static_cast<ParticleSystem*>(zl),
                              static_cast<ParticleSystem*>(fallback)})
        s->setEmissionRate(60);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(200 + 8, 200 - 8), Pixel{255, 0, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(400 + 8, 200 - 8), Pixel{0, 255, 0, 255}));
    EXPECT_EQ(fallback->getTexture(), Director::getInstance()->getTextureCache()->getTextureForKey(
                                          ParticleTextures::FALLBACK_DOT_KEY));
}

TEST_F(ParticleDrawingTest, ParticlesChangeColourAndSizeOverTheirLife) {
    ValueMap definition = withEmbeddedPicture(stillParticles(1, 1.0, 20.0), solidPng(8, 255, 255, 255), true);
    definition["finishParticleSize"] = Value(40.0);
    definition["finishColorRed"] = Value(0.0);
    definition["finishColorGreen"] = Value(0.0);
    ValueMap keepsSize = definition;
    keepsSize["finishParticleSize"] = Value(-1.0);
    ParticleSystemQuad* growing = addSystem(scene_, definition, Vec2(300, 270));
    ParticleSystemQuad* steady = addSystem(scene_, keepsSize, Vec2(600, 270));
    ASSERT_TRUE(growing && steady);
    growing->stopSystem();  // the one particle is emitted by hand below
    steady->stopSystem();
    growing->resetSystem();
    steady->resetSystem();
    growing->setEmissionRate(60);
    steady->setEmissionRate(60);
    runFrames(30);  // half of the one-second life: white → blue half done, size 20 → 30
    EXPECT_TRUE(colorNear(pixel(300, 270), Pixel{128, 128, 255, 255}));
    EXPECT_FALSE(isBlack(pixel(300 + 13, 270)));
    EXPECT_TRUE(isBlack(pixel(300 + 17, 270)));
    EXPECT_FALSE(isBlack(pixel(600 + 8, 270)));
    EXPECT_TRUE(isBlack(pixel(600 + 12, 270))) << "finish size −1 keeps the start size";
}

TEST_F(ParticleDrawingTest, ParticlesMoveByGravityOrCircleInRadiusMode) {
    const std::vector<uint8_t> white = solidPng(8, 255, 255, 255);
    ValueMap thrown = withEmbeddedPicture(stillParticles(1, 100.0, 10.0), white, true);
    thrown["speed"] = Value(60.0);
    thrown["gravityy"] = Value(-120.0);
    ValueMap circling = withEmbeddedPicture(stillParticles(1, 100.0, 10.0), white, false);
    circling["emitterType"] = Value(1.0);
    circling["maxRadius"] = Value(100.0);
    circling["minRadius"] = Value(-1.0);
    circling["rotatePerSecond"] = Value(90.0);
    ParticleSystemQuad* gravity = addSystem(scene_, thrown, Vec2(200, 300));
    ParticleSystemQuad* radius = addSystem(scene_, circling, Vec2(600, 300));
    ASSERT_TRUE(gravity && radius);
    gravity->setEmissionRate(60);
    radius->setEmissionRate(60);
    runFrames(1);
    // Radius mode starts on the far side of angle 0: (−radius, 0).
    EXPECT_FALSE(isBlack(pixel(500, 300)));
    runFrames(59);
    // One second: 60 to the right, and 120 × (1/60)² × (1 + … + 60) ≈ 61 down; a quarter turn.
    EXPECT_FALSE(isBlack(pixel(260, 239)));
    EXPECT_TRUE(isBlack(pixel(200, 300)));
    EXPECT_FALSE(isBlack(pixel(600, 200)));
    EXPECT_TRUE(isBlack(pixel(500, 300)));
}

TEST_F(ParticleDrawingTest, ParticlesTurnClockwiseByTheirRotation) {
    // Red left half, green right half; turned a quarter clockwise the red half is on top.
    const SDL_Color green{0, 255, 0, 255};
    ValueMap turned =
        withEmbeddedPicture(stillParticles(1, 100.0, 40.0), solidPng(8, 255, 0, 0, &green), true);
    turned["rotationStart"] = Value(90.0);
    turned["rotationEnd"] = Value(90.0);
    ParticleSystemQuad* system = addSystem(scene_, turned, Vec2(480, 270));
    ASSERT_NE(system, nullptr);
    system->setEmissionRate(60);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(480, 270 + 10), Pixel{255, 0, 0, 255}, 8));
    EXPECT_TRUE(colorNear(pixel(480, 270 - 10), Pixel{0, 255, 0, 255}, 8));
}

TEST_F(ParticleDrawingTest, ParticlesStayInTheWorldFollowTheParentOrTheEmitterByPositionType) {
    // Each emitter sits at its holder's origin and lets out one particle; then the holder moves down
    // by 200 and the emitter moves right by 100 within it.
    const struct {
        ParticleSystem::PositionType type;
        float x;
        Vec2 expected;  // particle offset from its birth point afterwards
    } cases[] = {{ParticleSystem::PositionType::FREE, 150, Vec2(0, 0)},
                 {ParticleSystem::PositionType::RELATIVE, 450, Vec2(0, -200)},
                 {ParticleSystem::PositionType::GROUPED, 750, Vec2(100, -200)}};
    std::vector<std::pair<Node*, ParticleSystemQuad*>> made;
    for (const auto& c : cases) {
        Node* holder = Node::create();
        holder->setPosition(c.x, 400);
        scene_->addChild(holder);
        ParticleSystemQuad* system = ParticleSystemQuad::create(stillParticles(1, 100.0, 16.0));
        ASSERT_NE(system, nullptr);
        system->setPosition(Vec2::ZERO);
        system->setPositionType(c.type);
        system->setEmissionRate(60);
        holder->addChild(system);
        made.emplace_back(holder, system);
    }
    runFrames(1);
    for (auto& [holder, system] : made) {
        holder->setPosition(holder->getPosition() + Vec2(0, -200));
        system->setPosition(100, 0);
    }
    runFrames(1);
    for (const auto& c : cases) {
        Vec2 at = Vec2(c.x, 400) + c.expected;
        EXPECT_GT(pixel(static_cast<int>(at.x), static_cast<int>(at.y)).r, 200) << static_cast<int>(c.type);
        for (Vec2 other : {Vec2(0, 0), Vec2(0, -200), Vec2(100, -200)}) {
            if (other == c.expected) continue;
            EXPECT_TRUE(isBlack(pixel(static_cast<int>(c.x + other.x), static_cast<int>(400 + other.y))))
                << static_cast<int>(c.type);
        }
    }
}

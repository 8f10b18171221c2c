// Particle definitions read from files: values stored as reals, pictures embedded in the file or found
// beside it, the built-in dot when there is neither, and files that cannot be used. The project's own
// definition always runs; the shared Comet sample runs when the shared sample folder is there.
#include <string>
#include <vector>

#include "engine/render/TextureCache.h"
#include "engine/scene/ParticleSystemQuad.h"
#include "engine/scene/ParticleTextures.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Files.h"
#include "tests/support/ParticleDefinitions.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

using namespace engine;
using testsupport::Pixel;
using testsupport::projectTestFile;
using testsupport::sharedTestFile;

class ParticleFileTest : public EngineFixture {};

TEST_F(ParticleFileTest, ParticlesCometLoadsRealValuedCountsAndDrawsWithTheBuiltInDot) {
    SKIP_WITHOUT_SHARED_TEST_DATA();
    testing::internal::CaptureStderr();
    ParticleSystemQuad* comet = ParticleSystemQuad::create(sharedTestFile("particles/Comet.plist"));
    std::string message = testing::internal::GetCapturedStderr();
    ASSERT_NE(comet, nullptr);
    EXPECT_NE(message.find("particle.png"), std::string::npos) << message;
    // maxParticles and emitterType are stored as <real>.
    EXPECT_EQ(comet->getTotalParticles(), 1000);
    EXPECT_EQ(comet->getEmitterConfig().mode, ParticleEmitterConfig::Mode::GRAVITY);
    EXPECT_NEAR(comet->getEmissionRate(), 1000 / 0.1974, 0.01);
    EXPECT_EQ(comet->getDuration(), ParticleSystem::DURATION_INFINITY);
    EXPECT_NEAR(comet->getPosition().x, 226.5f, 1e-4);
    EXPECT_NEAR(comet->getPosition().y, 156.4f, 1e-4);
    EXPECT_EQ(comet->getBlendFunc(), BlendFunc::ADDITIVE);
    EXPECT_EQ(comet->getTexture(), Director::getInstance()->getTextureCache()->getTextureForKey(
                                       ParticleTextures::FALLBACK_DOT_KEY));

    scene_->addChild(comet);
    runFrames(20);
    EXPECT_GT(comet->getParticleCount(), 100);
    // Orange-red glow around the emitter, added onto the black frame.
    long red = 0, blue = 0;
    for (int y = 136; y < 176; ++y)
        for (int x = 206; x < 246; ++x) {
            red += pixel(x, y).r;
            blue += pixel(x, y).b;
        }
    EXPECT_GT(red, 40 * 40 * 64);
    EXPECT_GT(red, blue);
}

TEST_F(ParticleFileTest, ParticlesReadRealValuedCountsAndDrawTheirGzipEmbeddedPicture) {
    ParticleSystemQuad* embers =
        ParticleSystemQuad::create(projectTestFile("engine/data/particles/ember.plist"));
    ASSERT_NE(embers, nullptr);
    // maxParticles and emitterType are stored as <real>.
    EXPECT_EQ(embers->getTotalParticles(), 40);
    EXPECT_EQ(embers->getEmitterConfig().mode, ParticleEmitterConfig::Mode::GRAVITY);
    EXPECT_FLOAT_EQ(embers->getEmissionRate(), 20.0f);
    EXPECT_EQ(embers->getDuration(), ParticleSystem::DURATION_INFINITY);
    EXPECT_EQ(embers->getPosition(), Vec2(300, 200));
    EXPECT_EQ(embers->getBlendFunc(), BlendFunc::ALPHA_NON_PREMULTIPLIED);
    EXPECT_NE(embers->getTexture(), Director::getInstance()->getTextureCache()->getTextureForKey(
                                        ParticleTextures::FALLBACK_DOT_KEY))
        << "the embedded picture, not the built-in dot";

    scene_->addChild(embers);
    runFrames(10);
    EXPECT_GT(embers->getParticleCount(), 0);
    EXPECT_TRUE(colorNear(pixel(300, 200), Pixel{255, 140, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(300 + 20, 200), Pixel{0, 0, 0, 255})) << "24 wide: nothing 20 to the right";
}

TEST_F(ParticleFileTest, ParticlesFindTheirPictureInTheDefinitionsFolder) {
    // The definition names "art/old/blue.png"; only the file name counts, looked up beside the plist.
    std::vector<uint8_t> blue = solidPng(8, 0, 0, 255);
    std::string plist =
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
        "<key>maxParticles</key><real>1</real><key>particleLifespan</key><real>100</real>"
        "<key>startParticleSize</key><real>20</real><key>finishParticleSize</key><real>-1</real>"
        "<key>startColorRed</key><real>1</real><key>startColorGreen</key><real>1</real>"
        "<key>startColorBlue</key><real>1</real><key>startColorAlpha</key><real>1</real>"
        "<key>blendFuncSource</key><integer>1</integer><key>blendFuncDestination</key><integer>771</integer>"
        "<key>duration</key><real>-1</real><key>textureFileName</key><string>art/old/blue.png</string>"
        "<key>sourcePositionx</key><real>300</real><key>sourcePositiony</key><real>300</real>"
        "</dict></plist>";
    testsupport::TempFolder folder;
    const std::string path = folder / "effect.plist";
    testsupport::writeFile(path, plist);
    testsupport::writeFile(folder / "blue.png", std::string(blue.begin(), blue.end()));
    ParticleSystemQuad* system = ParticleSystemQuad::create(path);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->getBlendFunc(), BlendFunc::ALPHA_NON_PREMULTIPLIED)
        << "(ONE, ONE_MINUS_SRC_ALPHA) with a straight-alpha picture";
    system->setEmissionRate(60);
    scene_->addChild(system);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(300 + 8, 300 - 8), Pixel{0, 0, 255, 255}));
}

TEST_F(ParticleFileTest, ParticlesFromUnreadableFilesAreNull) {
    testsupport::TempFolder folder;
    const std::string broken = folder / "broken.plist", huge = folder / "huge.plist";
    testsupport::writeFile(broken, "<plist><dict><key>maxParticles</key>");
    testsupport::writeFile(
        huge, "<plist><dict><key>maxParticles</key><integer>2000000000</integer></dict></plist>");
    testing::internal::CaptureStderr();
    EXPECT_EQ(ParticleSystemQuad::create("no/such/effect.plist"), nullptr);
    EXPECT_EQ(ParticleSystemQuad::create(broken), nullptr);
    EXPECT_EQ(ParticleSystemQuad::create(huge), nullptr);
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("no/such/effect.plist: file not found"), std::string::npos) << messages;
    EXPECT_NE(messages.find(broken), std::string::npos) << messages;
    EXPECT_NE(messages.find("maxParticles 2000000000 out of range"), std::string::npos) << messages;
}

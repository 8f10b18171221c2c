// What reaches the frame: plain rectangles, textures, flips, right-angle turns, blending, nine-slice.
#include "engine/render/Renderer.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Scale9Sprite.h"
#include "engine/scene/Sprite.h"
#include "tests/support/EngineFixture.h"

using namespace engine;
using testsupport::Pixel;

namespace {

// A 4 × 2 picture: top row red, green, blue, white; bottom row all yellow.
Texture2D* markerTexture() {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 4, 2, 32, SDL_PIXELFORMAT_ARGB8888);
    auto* p = static_cast<Uint32*>(s->pixels);
    const Uint32 top[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int x = 0; x < 4; ++x) {
        p[x] = top[x];
        p[s->pitch / 4 + x] = 0xFFFFFF00;
    }
    auto* cache = Director::getInstance()->getTextureCache();
    Texture2D* t = Texture2D::createWithSurface(cache->getRenderer(), s, "markers");
    SDL_FreeSurface(s);
    t->setAliasTexParameters();
    return t;
}

// The marker picture scaled 10× with its centre at (x, y).
Sprite* markers(Node* parent, float x, float y) {
    Sprite* sprite = Sprite::createWithTexture(markerTexture());
    sprite->setScale(10);
    sprite->setPosition(x, y);
    parent->addChild(sprite);
    return sprite;
}

}  // namespace

class RendererTest : public EngineFixture {};

TEST_F(RendererTest, PlainRectangleTakesColourAndOpacity) {
    Sprite* rect = Sprite::create();
    rect->setTextureRect(Rect(0, 0, 100, 50));
    rect->setColor(Color3B(40, 80, 160));
    rect->setPosition(200, 200);
    scene_->addChild(rect);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(200, 200), Pixel{40, 80, 160, 255}));
    EXPECT_TRUE(colorNear(pixel(151, 176), Pixel{40, 80, 160, 255}));
    EXPECT_TRUE(colorNear(pixel(148, 200), Pixel{0, 0, 0, 255}));
    rect->setOpacity(64);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(200, 200), Pixel{10, 20, 40, 255}, 2));
}

TEST_F(RendererTest, TextureRowsAndColumnsLandWhereThePictureSays) {
    markers(scene_, 100, 100);
    runFrames(1);
    // Top row (image y 0) is drawn above: red at the left end, white at the right.
    EXPECT_TRUE(colorNear(pixel(85, 105), Pixel{255, 0, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(115, 105), Pixel{255, 255, 255, 255}));
    EXPECT_TRUE(colorNear(pixel(85, 95), Pixel{255, 255, 0, 255}));
}

TEST_F(RendererTest, AQuadFarLargerThanTheFrameIsLeftOutNotAllocated) {
    // Scaled to 400,000 pixels across with additive blending, SDL would need a scratch surface of
    // terabytes; turned, its triangle filler would run far outside the frame. Neither is drawn.
    Sprite* sprite = markers(scene_, 480, 270);
    sprite->setScale(100000);
    sprite->setBlendFunc(BlendFunc::ADDITIVE);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(470, 280), Pixel{0, 0, 0, 255}));
    sprite->setRotation(30);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(470, 280), Pixel{0, 0, 0, 255}));
    // Four times the frame's width is still drawn.
    sprite->setRotation(0);
    sprite->setScale(900);
    sprite->setPosition(1800, 270);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(10, 280), Pixel{255, 0, 0, 255}));
}

TEST_F(RendererTest, FlipsMirrorInsideTheSpritesBox) {
    markers(scene_, 100, 100)->setFlippedX(true);
    markers(scene_, 300, 100)->setFlippedY(true);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(85, 105), Pixel{255, 255, 255, 255}));
    EXPECT_TRUE(colorNear(pixel(115, 105), Pixel{255, 0, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(285, 95), Pixel{255, 0, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(285, 105), Pixel{255, 255, 0, 255}));
}

TEST_F(RendererTest, RightAngleTurnsKeepTheTextureOrientation) {
    // Clockwise quarter turn: the picture's left end (red) goes to the top, its top row to the right.
    markers(scene_, 100, 100)->setRotation(90);
    markers(scene_, 300, 100)->setRotation(180);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(105, 115), Pixel{255, 0, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(105, 85), Pixel{255, 255, 255, 255}));
    EXPECT_TRUE(colorNear(pixel(95, 115), Pixel{255, 255, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(315, 95), Pixel{255, 0, 0, 255}));
}

TEST_F(RendererTest, BlendFunctionsMapToTheBackendModes) {
    EXPECT_EQ(Renderer::blendModeFor(BlendFunc::ALPHA_NON_PREMULTIPLIED), SDL_BLENDMODE_BLEND);
    EXPECT_EQ(Renderer::blendModeFor(BlendFunc::ALPHA_PREMULTIPLIED), SDL_BLENDMODE_BLEND);
    EXPECT_EQ(Renderer::blendModeFor(BlendFunc::ADDITIVE), SDL_BLENDMODE_ADD);
    EXPECT_EQ(Renderer::blendModeFor({gl::ONE_MINUS_DST_COLOR, gl::ONE}), SDL_BLENDMODE_ADD);
    EXPECT_EQ(Renderer::blendModeFor({gl::ZERO, gl::ONE_MINUS_SRC_COLOR}), SDL_BLENDMODE_MOD);
    EXPECT_EQ(Renderer::blendModeFor({gl::ONE_MINUS_DST_COLOR, gl::ONE_MINUS_SRC_COLOR}), SDL_BLENDMODE_ADD);
    EXPECT_EQ(Renderer::blendModeFor(BlendFunc::DISABLE), SDL_BLENDMODE_NONE);
    // Additive drawing adds to what is below.
    Sprite* base = Sprite::create();
    base->setTextureRect(Rect(0, 0, 40, 40));
    base->setColor(Color3B(100, 0, 0));
    base->setPosition(100, 100);
    scene_->addChild(base);
    Sprite* light = Sprite::create();
    light->setTextureRect(Rect(0, 0, 40, 40));
    light->setColor(Color3B(100, 50, 0));
    light->setPosition(100, 100);
    light->setBlendFunc(BlendFunc::ADDITIVE);
    scene_->addChild(light);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(100, 100), Pixel{200, 50, 0, 255}));
}

TEST_F(RendererTest, NineSliceKeepsCornersWhenResized) {
    // 30 × 30 picture: 10-pixel red corners, green edges, blue centre.
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 30, 30, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            bool edgeX = x < 10 || x >= 20, edgeY = y < 10 || y >= 20;
            static_cast<Uint32*>(s->pixels)[y * 30 + x] = (edgeX && edgeY)   ? 0xFFFF0000
                                                          : (edgeX || edgeY) ? 0xFF00FF00
                                                                             : 0xFF0000FF;
        }
    auto* cache = Director::getInstance()->getTextureCache();
    Texture2D* t = Texture2D::createWithSurface(cache->getRenderer(), s, "nine");
    SDL_FreeSurface(s);
    t->setAliasTexParameters();
    auto* box = ui::Scale9Sprite::createWithTexture(t, Rect::ZERO, Rect(10, 10, 10, 10));
    ASSERT_NE(box, nullptr);
    box->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
    box->setPosition(100, 100);
    box->setContentSize(Size(200, 80));
    scene_->addChild(box);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(105, 105), Pixel{255, 0, 0, 255}));  // bottom-left corner
    EXPECT_TRUE(colorNear(pixel(111, 105), Pixel{0, 255, 0, 255}));  // corner ends after 10 px
    EXPECT_TRUE(colorNear(pixel(295, 175), Pixel{255, 0, 0, 255}));  // top-right corner
    EXPECT_TRUE(colorNear(pixel(200, 140), Pixel{0, 0, 255, 255}));  // stretched centre
    EXPECT_TRUE(colorNear(pixel(200, 175), Pixel{0, 255, 0, 255}));  // top edge
    box->setOpacity(0);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(105, 105), Pixel{0, 0, 0, 255})) << "opacity reaches every piece";
    // Too small for both caps: each becomes half the size.
    box->setOpacity(255);
    box->setContentSize(Size(12, 12));
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(101, 101), Pixel{255, 0, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(110, 110), Pixel{255, 0, 0, 255}));
}

TEST_F(RendererTest, ALargeTurnedPictureIsDrawnInPiecesThatShowTheSamePicture) {
    // A 1104-pixel turned picture once made the software rasteriser read past the texture's last row.
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 1104, 1104, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(s, nullptr, 0xFF2040C0);
    SDL_Rect corner{0, 0, 552, 552};
    SDL_FillRect(s, &corner, 0xFFE0C040);
    auto* cache = Director::getInstance()->getTextureCache();
    Texture2D* texture = Texture2D::createWithSurface(cache->getRenderer(), s, "large");
    SDL_FreeSurface(s);
    Sprite* dial = Sprite::createWithTexture(texture);
    dial->setPosition(480, 270);
    scene_->addChild(dial);
    for (float angle : {0.2f, 10.0f, 45.0f, 180.5f}) {
        dial->setRotation(angle);
        runFrames(1);
    }
    dial->setRotation(0.5f);
    runFrames(1);
    // The picture's top-left quarter (gold) is above and left of the centre, the rest blue.
    EXPECT_TRUE(colorNear(pixel(300, 400), Pixel{224, 192, 64, 255}, 4));
    EXPECT_TRUE(colorNear(pixel(700, 400), Pixel{32, 64, 192, 255}, 4));
    EXPECT_TRUE(colorNear(pixel(300, 100), Pixel{32, 64, 192, 255}, 4));
}

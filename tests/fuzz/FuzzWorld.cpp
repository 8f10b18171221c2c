#include "tests/fuzz/FuzzWorld.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/audio/AudioEngine.h"
#include "engine/base/AutoreleasePool.h"
#include "engine/platform/FileUtils.h"
#include "engine/platform/HeadlessView.h"
#include "engine/platform/MessageBox.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"
#include "engine/scene/Scene.h"
#include "game/app/AppDelegate.h"
#include "game/app/GameServices.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace fuzzing {

namespace {

// A private folder in memory when the system has one: inputs are written there at every run.
std::string makeScratchFolder() {
    const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/quorin-fuzz-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        std::perror("quorin fuzz: cannot make a scratch folder");
        std::abort();
    }
    return pattern;
}

}  // namespace

FuzzWorld& FuzzWorld::get() {
    // Kept until the process ends: libFuzzer leaves through exit() or a signal, and the game's
    // singletons are process-wide anyway.
    static FuzzWorld* world = new FuzzWorld();
    return *world;
}

FuzzWorld::FuzzWorld() : scratch_(makeScratchFolder()) {
    const std::string scratch = scratch_;
    std::atexit([] { std::filesystem::remove_all(get().scratch_); });

    const char* runtime = std::getenv("QUORIN_FUZZ_RUNTIME");
    auto* files = engine::FileUtils::getInstance();
    files->resetToDefaults();
    files->setResourceRoot(runtime && *runtime ? std::string(runtime) : scratch + "/empty-root");
    files->setSearchPaths(AppDelegate::searchPaths());
    files->addSearchPath(scratch + "/res", true);
    std::filesystem::create_directories(scratch + "/data");
    files->setWritablePath(scratch + "/data");

    engine::AudioEngine::useNullBackend();
    engine::MessageBox::setHeadless(true);
    engine::HeadlessView* view = engine::HeadlessView::create();
    if (!view) {
        std::fprintf(stderr, "quorin fuzz: cannot make the headless view\n");
        std::abort();
    }
    engine::Director::getInstance()->setOpenGLView(view);
    if (!vastomer::GameServices::create()) {
        std::fprintf(stderr, "quorin fuzz: cannot make the game's services\n");
        std::abort();
    }
    scene_ = engine::Scene::create();
    engine::Director::getInstance()->runWithScene(scene_);
    drawFrame();
    forgetInput();
}

std::string FuzzWorld::writeResource(const std::string& name, std::string_view content) {
    const std::filesystem::path path = std::filesystem::path(scratch_) / "res" / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
    engine::FileUtils::getInstance()->purgeCachedEntries();
    vastomer::NSpriteAnimationManager::getInstance()->getScriptCache().clear();
    return path.string();
}

void FuzzWorld::drawFrame() {
    engine::Director::getInstance()->mainLoop();
}

void FuzzWorld::forgetInput() {
    // What a frame's end would release; without it the last input's objects would still wait in
    // the pool when the process ends, and be taken for leaks.
    engine::AutoreleasePool::getInstance().clear();
    engine::MessageBox::clearShown();
    engine::AudioEngine::clearLog();
    engine::AudioEngine::stopAll();
    // Pictures stay cached while few (decoding them again would slow every input down); nodes that
    // still show one hold their own reference.
    engine::TextureCache* textures = engine::Director::getInstance()->getTextureCache();
    if (textures->getTextureCount() > 64) textures->removeAllTextures();
}

}  // namespace fuzzing

#include "engine/platform/Application.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "engine/audio/AudioEngine.h"
#include "engine/platform/FileUtils.h"
#include "engine/platform/HeadlessView.h"
#include "engine/platform/Joystick.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/SystemLanguage.h"
#include "engine/platform/WindowView.h"
#include "engine/scene/Director.h"

namespace engine {

namespace {
Application* g_application = nullptr;
}

Application::Application(AppIdentity identity) : identity_(std::move(identity)) {
    g_application = this;
    FileUtils::getInstance()->setApplicationName(identity_.name);
}

Application::~Application() {
    if (g_application == this) g_application = nullptr;
}

Application* Application::getInstance() {
    return g_application;
}

std::string Application::getCurrentLanguageCode() const {
    return options_.language.empty() ? SystemLanguage::currentCode() : options_.language;
}

bool Application::openView() {
    Director* director = Director::getInstance();
    if (options_.headless) {
        HeadlessView* view = HeadlessView::create();
        if (!view) {
            std::fprintf(stderr, "%s: cannot create the off-screen frame: %s\n", identity_.name.c_str(),
                         SDL_GetError());
            return false;
        }
        director->setOpenGLView(view);
        return true;
    }
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    std::string error;
    WindowView* view = nullptr;
    if ((display && *display) || (wayland && *wayland)) {
        view = WindowView::createWithRect(identity_.title, Rect(0, 0, 960, 540), 1.0f, &error);
    } else {
        error = "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    }
    if (!view) {
        std::fprintf(stderr,
                     "Cannot open a window: %s.\n"
                     "Run it on a desktop session, or without a window:  --headless --frames N "
                     "[--screenshot FRAME:FILE.png]\n",
                     error.c_str());
        return false;
    }
    director->setOpenGLView(view);
    return true;
}

void Application::paceFrame(uint64_t& nextTick) const {
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    const uint64_t frameTicks = frequency / 60;
    uint64_t now = SDL_GetPerformanceCounter();
    if (nextTick == 0 || now > nextTick + frameTicks * 5) nextTick = now;  // start, or fell far behind
    nextTick += frameTicks;
    while (true) {
        now = SDL_GetPerformanceCounter();
        if (now >= nextTick) break;
        uint64_t remainingMs = (nextTick - now) * 1000 / frequency;
        SDL_Delay(remainingMs > 1 ? static_cast<Uint32>(remainingMs - 1) : 0);
    }
}

int Application::run() {
    FileUtils* files = FileUtils::getInstance();
    if (!options_.resourceRoot.empty()) files->setResourceRoot(options_.resourceRoot);
    if (!options_.dataDir.empty()) files->setWritablePath(options_.dataDir);
    MessageBox::setHeadless(options_.headless);
    if (options_.headless) {
        Joystick::getInstance()->setDevicesEnabled(false);
        AudioEngine::useNullBackend();
    } else {
        AudioEngine::useMixerBackend();
    }
    if (!openView()) return 2;

    Director* director = Director::getInstance();
    auto shots = options_.screenshots;
    director->setFrameDrawnCallback([shots, director](uint64_t frame) {
        for (const auto& shot : shots)
            if (shot.first == frame) director->getOpenGLView()->saveFrameToPNG(shot.second);
    });

    // A window that loses the focus sends the application to the background, and back when it regains it.
    director->getOpenGLView()->setFocusCallback([this](bool focused) {
        if (focused)
            applicationWillEnterForeground();
        else
            applicationDidEnterBackground();
    });

    initGLContextAttrs();
    if (!applicationDidFinishLaunching()) return 1;

    uint64_t nextTick = 0;
    while (!director->isEnded()) {
        director->mainLoop();
        if (options_.frames && director->getTotalFrames() >= options_.frames) break;
        if (!options_.headless) paceFrame(nextTick);
    }
    return 0;
}

}  // namespace engine

#pragma once

#include <functional>
#include <string>

namespace vastomer {

class DramaPart;
class MessageWindow;
class QuorinScenarioEngine;

// What a screen controller that plays story scenes (the play screen, the demo and hint screens)
// tells about them: reports and tools find the scene that runs through it.
class ScenarioHost {
public:
    using EngineHook = std::function<void(QuorinScenarioEngine*)>;

    virtual ~ScenarioHost() = default;

    // The engine of the scene being played; null when none runs.
    virtual QuorinScenarioEngine* getScenarioEngine() const = 0;
    // The window the scenes talk in.
    virtual MessageWindow* getStoryMessageWindow() const = 0;
    // The drama part being played; null when none runs.
    virtual DramaPart* getDramaPart() const { return nullptr; }

    // The script the host started last (the name it marks as read at its end); empty before any.
    const std::string& getScenarioFile() const { return scenarioFile_; }
    // How many scenes the host has seen to their end.
    int getFinishedScenarioCount() const { return finishedScenarios_; }
    // The drama part the host started last, and how many it has seen to their end.
    const std::string& getDramaFile() const { return dramaFile_; }
    int getFinishedDramaCount() const { return finishedDramas_; }
    // Called with every engine the host starts from now on, before its first command runs.
    void setEngineHook(EngineHook hook) { engineHook_ = std::move(hook); }

protected:
    void scenarioStarting(const std::string& file, QuorinScenarioEngine* engine) {
        scenarioFile_ = file;
        if (engineHook_) engineHook_(engine);
    }
    void scenarioFinished() { ++finishedScenarios_; }
    void dramaStarting(const std::string& file) { dramaFile_ = file; }
    void dramaFinished() { ++finishedDramas_; }

private:
    std::string scenarioFile_;
    int finishedScenarios_ = 0;
    std::string dramaFile_;
    int finishedDramas_ = 0;
    EngineHook engineHook_;
};

}  // namespace vastomer

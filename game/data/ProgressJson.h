#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "game/data/ProgressState.h"

namespace vastomer {

// The progress state as a JSON object, for the state dump of the test harness and the content tool.
// Every saved value under its field name (maps keyed by their numbers or names as text), the language,
// and the values of the run: currentStage, currentPart, previousPart, hp, difficulty, retryFromBoss,
// isNewGame.
class ProgressJson {
public:
    static nlohmann::json toJson(const ProgressState& state, const std::string& language);
};

}  // namespace vastomer

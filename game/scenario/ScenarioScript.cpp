#include "game/scenario/ScenarioScript.h"

#include <cstdio>
#include <iterator>

#include "game/data/DataSource.h"
#include "game/data/Diagnostics.h"
#include "game/scenario/ScenarioScriptParser.h"

namespace vastomer {

bool ScenarioScript::load(const std::string& fileName, bool append, const DataSource& source,
                          Diagnostics* diagnostics) {
    if (!append) commands_.clear();
    std::string text;
    std::string shownPath;
    if (!source.read(fileName, text, shownPath)) return false;
    std::vector<ScenarioCommand> loaded = ScenarioScriptParser::parse(text, fileName, shownPath, diagnostics);
    commands_.insert(commands_.end(), std::make_move_iterator(loaded.begin()),
                     std::make_move_iterator(loaded.end()));
    scriptName_ = fileName;
    return true;
}

bool ScenarioScript::load(const std::string& fileName, bool append) {
    Diagnostics diagnostics;
    bool loaded = load(fileName, append, DataSource::searchPaths(), &diagnostics);
    // Script problems go to stderr for the people who write the scenes; the scene plays on.
    for (const Diagnostic& entry : diagnostics.entries())
        std::fprintf(stderr, "quorin: %s\n", Diagnostics::format(entry).c_str());
    return loaded;
}

}  // namespace vastomer

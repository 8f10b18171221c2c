#pragma once

#include <string>
#include <vector>

#include "game/scenario/ScenarioCommand.h"

namespace vastomer {

class DataSource;
class Diagnostics;

// A loaded scenario script: the command list the scenario engine runs, and the name of the last
// file loaded into it. Loading can replace the list or add a file's commands after it (a condition
// in a running script appends another script this way).
class ScenarioScript {
public:
    // With `append` false the list is emptied first, whether or not the file is found. False when
    // there is no such file (nothing is added); true after a load, which makes `fileName` the
    // script's name. Problems of the file's lines are reported to `diagnostics`.
    bool load(const std::string& fileName, bool append, const DataSource& source, Diagnostics* diagnostics);
    // The same through the resource search paths, problems printed on stderr.
    bool load(const std::string& fileName, bool append);

    void clear() { commands_.clear(); }
    const std::vector<ScenarioCommand>& getCommands() const { return commands_; }
    std::size_t size() const { return commands_.size(); }
    bool empty() const { return commands_.empty(); }
    const ScenarioCommand& at(std::size_t index) const { return commands_.at(index); }

    const std::string& getScriptName() const { return scriptName_; }
    void setScriptName(const std::string& name) { scriptName_ = name; }

private:
    std::vector<ScenarioCommand> commands_;
    std::string scriptName_;
};

}  // namespace vastomer

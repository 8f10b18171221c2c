#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace content {

// `quorin-content dryrun`: plays story scripts headless in the game itself, on the stage they play
// on, with a fresh save and OK pressed for every message, and reports what happened.
//
// The stage comes from the script's name: a part entry (wop_SSSS_PPPP_NNNN) plays as that part is
// entered; a sensor's aside (oim_SSSS_PPPP_NNNN) on that part; a stage end (sed_SSSS) and what it
// appends (sub_SSSS_...) on the stage's boss part; every other script (the opening, the hints, the
// shop's tutorial) on the demo screen. A drama part (.bds) plays in a message window.
//
// Each condition of a script (and of the scripts it appends) is a choice: the script is played once
// with no variable set and once more for every value that turns a condition the other way. Each run
// lists the commands reached (frame, file:line, command), the waits and what ended them, and the
// problems the game met; then whether it finished, ended in the credits, or cannot finish (still
// waiting when the frame limit is reached, or never started). Lines no run reached are listed last.
class ScenarioDryRun {
public:
    struct Options {
        int frameLimit = 36000;  // ten minutes of play per run
        bool brief = false;      // the summary of each run only
    };

    explicit ScenarioDryRun(Options options) : options_(options) {}

    // Exit status: 0 every run finished, 1 a run could not, 2 a script was not found.
    int run(const std::vector<std::string>& scripts, std::ostream& out, std::ostream& err);
    // "scenario/NAME.bks" and "drama/NAME.bds" of every story script under the resource root.
    static std::vector<std::string> allScripts();

    // A choice: values of the variables that differ from a new game.
    using Choice = std::map<std::string, int>;
    // The choices of a script: none, then one per value that turns one of its conditions.
    static std::vector<Choice> choicesOf(const std::string& script);

private:
    Options options_;
};

}  // namespace content

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/scenario/ScenarioCommand.h"

namespace vastomer {

class Diagnostics;

// Reads the text of a ".bks" scenario script into its command list.
//
// Format: carriage returns are removed anywhere, lines cut at line feeds; empty lines and lines
// starting with "//" are skipped (a "//" later in a line is part of its field). A line is cut at
// ";" with empty fields dropped, so ";;" is one separator; fields are not trimmed. Field 0 is the
// keyword (exact, case-sensitive); the keyword's form, chosen by its sub-keyword, says which fields
// follow and how each is read:
//   int     the leading integer when the field passes the game's number test, else 0
//   strict  the leading integer or number without the test
//   float   the leading number when the field passes the test, else 0
// Some forms never keep a negative number (a camera move of -1 s takes 0 s). A numeric field that
// cannot be read is 0 and reported. Optional fields are read when the line reaches them.
//
// Problems are reported with the file and physical line: an unknown keyword, and a line with
// fewer fields than its form needs, are dropped; an unknown sub-keyword keeps the command with the
// values read up to it (it then does nothing); fields beyond the form are ignored.
class ScenarioScriptParser {
public:
    // The commands of `text`, tagged with `fileName`; `shownPath` names the file in reports.
    static std::vector<ScenarioCommand> parse(std::string_view text, const std::string& fileName,
                                              const std::string& shownPath, Diagnostics* diagnostics);

    // The keywords a line may start with.
    static const std::vector<std::string>& keywords();
    static bool isKeyword(const std::string& word);
};

}  // namespace vastomer

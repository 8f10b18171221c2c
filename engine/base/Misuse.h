#pragma once

#include <functional>
#include <string>

namespace engine {

// Reports a caller's mistake that the engine has refused safely (adding a child that already has a
// parent, removing a body twice...). Debug builds (NDEBUG not defined) print one line to standard
// error, "engine: WHERE: PROBLEM", where PROBLEM says what went wrong and how to fix it:
//   engine: Node::addChild: the child already has a parent; call removeFromParent() first
// Release builds say nothing; the refusal is the same in both.
void reportMisuse(const char* where, const std::string& problem);

// TEST HOOK: hands each reported line (without its newline) to `sink` instead of printing it; an
// empty function goes back to standard error. Release builds report nothing, so the sink is never
// called there.
using MisuseSink = std::function<void(const std::string& line)>;
void setMisuseSink(MisuseSink sink);

}  // namespace engine

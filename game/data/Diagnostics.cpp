#include "game/data/Diagnostics.h"

namespace vastomer {

void Diagnostics::report(const std::string& file, int line, const std::string& message) {
    entries_.push_back(Diagnostic{file, line, message});
}

std::string Diagnostics::format(const Diagnostic& entry) {
    if (entry.line <= 0) return entry.file + ": " + entry.message;
    return entry.file + ":" + std::to_string(entry.line) + ": " + entry.message;
}

}  // namespace vastomer

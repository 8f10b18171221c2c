#include "tools/synth/SourceError.h"

namespace synth {

namespace {

std::string locate(const std::string& file, int line, const std::string& message) {
    if (line <= 0) return file + ": " + message;
    return file + ":" + std::to_string(line) + ": " + message;
}

}  // namespace

SourceError::SourceError(const std::string& file, int line, const std::string& message)
    : std::runtime_error(locate(file, line, message)), file_(file), line_(line), message_(message) {}

}  // namespace synth

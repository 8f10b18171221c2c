#pragma once

#include <stdexcept>
#include <string>

namespace synth {

// A mistake in a sound or score source, located by file and line. Line 0 means the file as a whole.
// what() reads "file:line: message" (or "file: message"), the form editors and build logs understand.
class SourceError : public std::runtime_error {
public:
    SourceError(const std::string& file, int line, const std::string& message);

    const std::string& file() const { return file_; }
    int line() const { return line_; }
    const std::string& message() const { return message_; }

private:
    std::string file_;
    int line_;
    std::string message_;
};

}  // namespace synth

#pragma once

#include <string>
#include <vector>

namespace vastomer {

// One problem found in a content or save file: where it is and what is wrong.
struct Diagnostic {
    std::string file;  // the path or name the file was read from
    int line = 0;      // physical line (1-based, counting comments and empty lines); 0 for the whole file
    std::string message;
};

// Collects the problems loaders meet while they read a file. Loaders take an optional pointer to one;
// with none they stay silent. The content tool prints the entries, the game writes them to stderr.
class Diagnostics {
public:
    void report(const std::string& file, int line, const std::string& message);

    const std::vector<Diagnostic>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    void clear() { entries_.clear(); }

    // "file:line: message", or "file: message" for a problem of the whole file.
    static std::string format(const Diagnostic& entry);

private:
    std::vector<Diagnostic> entries_;
};

}  // namespace vastomer

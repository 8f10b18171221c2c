#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// How a child program is started: extra environment and a time limit.
struct ProgramOptions {
    // Variables set (a value) or removed (nullopt) for the child only; the test's own environment
    // stays as it is.
    std::vector<std::pair<std::string, std::optional<std::string>>> environment;
    // The child is killed when it runs longer than this; the run then counts as timed out.
    int timeoutSeconds = 120;
};

// What a program printed and how it ended. The one way tests start other programs: no shell, so
// arguments reach the program exactly as given.
struct ProgramRun {
    int exitCode = -1;  // the program's exit status; -1 when it could not start, crashed or timed out
    bool timedOut = false;
    std::string out;  // everything it wrote to standard output
    std::string err;  // everything it wrote to standard error

    // A line for failure messages: how it ended and what it wrote to standard error.
    std::string describe() const;
};

// Runs `program` with `args` and waits for it (at most options.timeoutSeconds), collecting both
// output streams.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const ProgramOptions& options = {});

}  // namespace testsupport

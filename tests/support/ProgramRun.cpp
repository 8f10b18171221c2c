#include "tests/support/ProgramRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>

extern char** environ;

namespace testsupport {

namespace {

// The environment the child gets: ours, with the options' changes.
std::vector<std::string> childEnvironment(const ProgramOptions& options) {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string text = *entry;
        const std::size_t equals = text.find('=');
        if (equals != std::string::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : options.environment) {
        if (value) {
            variables[name] = *value;
        } else {
            variables.erase(name);
        }
    }
    std::vector<std::string> result;
    for (const auto& [name, value] : variables)
        result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

double secondsNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

std::string ProgramRun::describe() const {
    std::string text = timedOut       ? "timed out"
                       : exitCode < 0 ? "did not run to its end"
                                      : "exit " + std::to_string(exitCode);
    if (!err.empty()) text += "; stderr:\n" + err;
    return text;
}

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const ProgramOptions& options) {
    ProgramRun run;
    // Everything the child needs is prepared before fork: after it, only async-signal-safe calls.
    std::vector<std::string> argvStrings{program};
    argvStrings.insert(argvStrings.end(), args.begin(), args.end());
    std::vector<std::string> envStrings = childEnvironment(options);
    std::vector<char*> argv = pointersTo(argvStrings);
    std::vector<char*> envp = pointersTo(envStrings);

    int outPipe[2], errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0) return run;
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        return run;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outPipe[1], STDOUT_FILENO);
        ::dup2(errPipe[1], STDERR_FILENO);
        ::execve(program.c_str(), argv.data(), envp.data());
        const char message[] = "runProgram: cannot start the program\n";
        (void)!::write(STDERR_FILENO, message, sizeof message - 1);
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (pid < 0) {
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        return run;
    }

    // Both pipes are drained together so that a child filling one of them never blocks.
    const double deadline = secondsNow() + options.timeoutSeconds;
    pollfd streams[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&run.out, &run.err};
    int open = 2;
    while (open > 0) {
        const double left = deadline - secondsNow();
        if (left <= 0) {
            run.timedOut = true;
            ::kill(pid, SIGKILL);
            break;
        }
        const int ready = ::poll(streams, 2, static_cast<int>(left * 1000) + 1);
        if (ready < 0 && errno != EINTR) break;
        for (int i = 0; i < 2; ++i) {
            if (streams[i].fd < 0 || streams[i].revents == 0) continue;
            char buffer[65536];
            const ssize_t got = ::read(streams[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                ::close(streams[i].fd);
                streams[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& stream : streams)
        if (stream.fd >= 0) ::close(stream.fd);

    // A child may close its streams and still run on: the time limit holds for the wait too.
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, run.timedOut ? 0 : WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) break;
        if (done == 0 && secondsNow() > deadline) {
            run.timedOut = true;
            ::kill(pid, SIGKILL);
        } else if (done == 0) {
            const timespec pause{0, 5 * 1000 * 1000};
            ::nanosleep(&pause, nullptr);
        }
    }
    if (!run.timedOut && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    return run;
}

}  // namespace testsupport

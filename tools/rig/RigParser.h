#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "tools/rig/RigModel.h"

namespace rig {

// A mistake in a rig source, at a line.
struct RigError : std::runtime_error {
    RigError(int at, const std::string& message) : std::runtime_error(message), line(at) {}
    int line;
};

// Reads a rig source (see README.md): the rig with its sheets and parts, poses, and motions.
// Throws RigError at the first mistake.
class RigParser {
public:
    static Rig parse(const std::string& text);

private:
    explicit RigParser(const std::string& text);
    Rig run();
    void readRig(const std::vector<std::string>& header);
    void readPart(const std::vector<std::string>& words);
    void readPose(const std::vector<std::string>& header);
    void readMotion(const std::vector<std::string>& header);
    void readKey(Motion& motion, const std::vector<std::string>& words, Ease defaultEase);
    void checkMotion(const Motion& motion) const;
    bool nextLine(std::vector<std::string>& words);

    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    int line_ = 0;
    Rig rig_;
    bool rigRead_ = false;
};

}  // namespace rig

#pragma once

#include <string>

#include "tools/rig/RigModel.h"

namespace rig {

// The small values of rig sources: numbers, pairs, ease names and pose values. Every read is
// whole-text and locale-independent and throws RigError (at `line`) on anything else.
class RigValues {
public:
    static double number(const std::string& text, int line);
    static int integer(const std::string& text, int line);
    static Vec pair(const std::string& text, int line);
    static Ease ease(const std::string& text, int line);
    // "key=value" into its two sides; false without "=".
    static bool splitToken(const std::string& token, std::string& key, std::string& value);
    // A pose value ("PART=A", "root=X,Y", "PART.cell=N" ...) into `values`; false when the token
    // is not key=value at all.
    static bool poseToken(const Rig& rig, const std::string& token, PoseValues& values, int line);
};

}  // namespace rig

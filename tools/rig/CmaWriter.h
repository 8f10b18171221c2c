#pragma once

#include <string>

#include "tools/rig/RigModel.h"

namespace rig {

// Writes one ".cma" animation script: the parts of one layer of a motion, for one wear.
// Frame 0 paints every shown part; later frames move or change only what differs from the frame
// before; a part shown late is painted where it first shows, and hidden parts turn transparent.
// The last frame always carries a line, so the script lasts the motion's full length.
class CmaWriter {
public:
    // Throws RigError when the layer shows nothing in the motion.
    static std::string write(const Rig& rig, const Motion& motion, const std::string& layer, int wear,
                             const std::string& fileName, const std::string& sourceName);

    // Shortest decimal text with at most `decimals` places ("0.05", "12", "-3.5"); never "-0".
    static std::string decimal(double value, int decimals);
    // The picture name of a sheet for a wear ("{wear}" replaced).
    static std::string picture(const Sheet& sheet, int wear);
};

}  // namespace rig

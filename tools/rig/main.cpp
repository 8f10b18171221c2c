// quorin-rig: turns cut-out rig sources into ".cma" animation scripts. See README.md for the format.
#include <iostream>
#include <string>
#include <vector>

#include "tools/rig/CmaRig.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return rig::CmaRig().run(args, std::cerr);
}

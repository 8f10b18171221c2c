// quorin-pix: turns picture sources into PNG files. See README.md for the source format.
#include <iostream>
#include <string>
#include <vector>

#include "tools/pix/PixTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return pix::PixTool().run(args, std::cerr);
}

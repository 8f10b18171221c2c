// quorin-content: checks the game's content files and shows what the game's loaders read from them.
#include <iostream>
#include <string>
#include <vector>

#include "tools/content/ContentRegistry.h"
#include "tools/content/ContentTool.h"

int main(int argc, char** argv) {
    vastomer::ContentRegistry registry;
    vastomer::registerContentKinds(registry);
    std::vector<std::string> args(argv + 1, argv + argc);
    return vastomer::ContentTool(registry).run(args, std::cout, std::cerr);
}

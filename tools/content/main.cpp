// quorin-content: checks the game's content files and shows what the game's loaders read from them.
#include <iostream>
#include <string>
#include <vector>

#include "tools/content/ContentRegistry.h"
#include "tools/content/ContentTool.h"

int main(int argc, char** argv) {
    content::ContentRegistry registry;
    content::registerContentKinds(registry);
    std::vector<std::string> args(argv + 1, argv + argc);
    return content::ContentTool(registry).run(args, std::cout, std::cerr);
}

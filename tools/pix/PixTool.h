#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pix {

// The command line of the picture tool (see README.md): reads sources, writes PNG files,
// the list of what it wrote, a dependency file for the build, or a contact sheet.
class PixTool {
public:
    // Returns the exit status: 0 done, 1 a source or a file failed, 2 the command line is wrong.
    int run(const std::vector<std::string>& args, std::ostream& err);

private:
    struct Options {
        std::vector<std::string> sources;
        std::string outDir;
        std::string fontDir;
        std::string listFile;
        std::string depFile;
        std::string contactSheet;
        std::string labelFont;
        int zoom = 1;
        bool check = false;
    };

    static bool parseArgs(const std::vector<std::string>& args, Options& opt, std::ostream& err);
    static void writeDepFile(const Options& opt, const std::vector<std::string>& inputs);
    static void usage(std::ostream& err);
    static void makeParent(const std::string& file);
};

}  // namespace pix

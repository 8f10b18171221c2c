#include "tools/rig/CmaRig.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/rig/CmaWriter.h"
#include "tools/rig/RigParser.h"

namespace rig {

namespace {

const char* USAGE =
    "usage: quorin-rig [--out-dir DIR] [--list FILE] [--check] SOURCE.rig...\n"
    "  --out-dir DIR  write the animation scripts into DIR as NAME.cma (default: the current folder)\n"
    "  --list FILE    write the paths of the written scripts, one a line\n"
    "  --check        read and generate everything, write nothing\n";

bool readText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool writeText(const std::string& path, const std::string& text) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace

std::map<std::string, std::string> CmaRig::generate(const Rig& rig, const std::string& sourceName) {
    std::map<std::string, std::string> files;
    for (const Motion& motion : rig.motions) {
        for (const Output& output : motion.outputs) {
            bool wearSheets = false;
            for (const Part& part : rig.parts)
                if (part.layer == output.layer &&
                    rig.findSheet(part.sheet)->picture.find("{wear}") != std::string::npos)
                    wearSheets = true;
            for (const std::string& name : output.names) {
                const bool perWear = name.find("{wear}") != std::string::npos;
                if (wearSheets && !perWear)
                    throw RigError(output.line, "'" + name + "' needs {wear}: layer '" + output.layer +
                                                    "' draws from a sheet of each wear");
                for (int wear : rig.wears) {
                    Sheet naming{"", name, 1, 1};
                    const std::string file = CmaWriter::picture(naming, wear);
                    if (files.count(file)) throw RigError(output.line, file + ".cma is made twice");
                    files[file] = CmaWriter::write(rig, motion, output.layer, wear, file, sourceName);
                    if (!perWear) break;
                }
            }
        }
    }
    return files;
}

int CmaRig::run(const std::vector<std::string>& args, std::ostream& err) const {
    std::string outDir = ".", listFile;
    bool check = false;
    std::vector<std::string> sources;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--out-dir" || args[i] == "--list") && i + 1 < args.size()) {
            (args[i] == "--out-dir" ? outDir : listFile) = args[i + 1];
            ++i;
        } else if (args[i] == "--check") {
            check = true;
        } else if (args[i] == "--help" || args[i] == "-h") {
            err << USAGE;
            return 0;
        } else if (args[i].rfind("--", 0) == 0) {
            err << "quorin-rig: unknown option '" << args[i] << "'\n" << USAGE;
            return 2;
        } else {
            sources.push_back(args[i]);
        }
    }
    if (sources.empty()) {
        err << USAGE;
        return 2;
    }

    std::map<std::string, std::string> all;
    for (const std::string& source : sources) {
        std::string text;
        if (!readText(source, text)) {
            err << source << ": cannot read\n";
            return 1;
        }
        try {
            const std::string shown = std::filesystem::path(source).filename().string();
            for (auto& [name, script] : generate(RigParser::parse(text), shown)) {
                if (all.count(name)) throw RigError(0, name + ".cma is made by two sources");
                all[name] = std::move(script);
            }
        } catch (const RigError& error) {
            err << source << ":" << error.line << ": " << error.what() << "\n";
            return 1;
        }
    }
    if (check) return 0;

    std::error_code ignored;
    std::filesystem::create_directories(outDir, ignored);
    std::string list;
    for (const auto& [name, script] : all) {
        const std::string path = (std::filesystem::path(outDir) / (name + ".cma")).string();
        if (!writeText(path, script)) {
            err << "quorin-rig: cannot write " << path << "\n";
            return 1;
        }
        list += std::filesystem::absolute(path).lexically_normal().string() + "\n";
    }
    if (!listFile.empty() && !writeText(listFile, list)) {
        err << "quorin-rig: cannot write " << listFile << "\n";
        return 1;
    }
    return 0;
}

}  // namespace rig

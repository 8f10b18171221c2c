#include "tools/content/ContentTool.h"

#include <filesystem>

#include "engine/platform/FileUtils.h"
#include "game/app/AppDelegate.h"
#include "game/data/MasterText.h"
#include "tools/content/ScenarioDryRun.h"

using namespace vastomer;

namespace content {

namespace {

// Paths under the resource root are shown relative to it, as an author knows them.
std::string shown(const std::string& path) {
    const std::string& root = engine::FileUtils::getInstance()->getResourceRoot();
    return MasterText::startsWith(path, root) ? path.substr(root.size()) : path;
}

void printDiagnostics(const Diagnostics& diagnostics, std::ostream& stream) {
    for (const Diagnostic& entry : diagnostics.entries()) {
        Diagnostic copy = entry;
        copy.file = shown(copy.file);
        stream << Diagnostics::format(copy) << "\n";
    }
}

}  // namespace

std::string ContentTool::usage() const {
    std::string text =
        "usage: quorin-content check [--res DIR]\n"
        "       quorin-content dump KIND FILE [--res DIR]\n"
        "       quorin-content dryrun SCRIPT...|--all [--brief] [--frames N] [--res DIR]\n"
        "  check      validates the resource files; prints file:line: message for every problem and\n"
        "             exits with 1 when there is one\n"
        "  dump       prints what the game's loader reads from FILE, as JSON\n"
        "  dryrun     plays story scripts (scenario/NAME.bks, drama/NAME.bds; --all: every one) headless\n"
        "             on their stage with a fresh save, OK pressed for every message and every condition\n"
        "             taken each way; lists the commands reached and the waits (--brief: a summary), and\n"
        "             exits with 1 when a script cannot finish within N frames (default 36000)\n"
        "  --res DIR  resource root holding res/ (default: Resources next to this program)\n"
        "checks:\n";
    for (const ContentCheck& check : registry_.checks())
        text += "  " + check.name + ": " + check.summary + "\n";
    text += "dump kinds:\n";
    for (const ContentDump& dump : registry_.dumps()) {
        text += "  ";
        for (std::size_t i = 0; i < dump.kinds.size(); ++i)
            text += (i ? ", " : "") + dump.kinds[i];
        text += "\n      " + dump.summary + "\n";
    }
    return text;
}

int ContentTool::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) const {
    std::vector<std::string> words;
    std::string resourceRoot;
    ScenarioDryRun::Options dryRun;
    bool allScripts = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--brief" || args[i] == "--all") {
            (args[i] == "--brief" ? dryRun.brief : allScripts) = true;
            continue;
        }
        if (args[i] == "--frames") {
            LeadingInt frames = i + 1 < args.size() ? MasterText::leadingInt(args[i + 1]) : LeadingInt();
            if (frames.status != LeadingInt::Status::OK || frames.trailing || frames.value < 1) {
                err << "quorin-content: --frames needs a number of frames\n" << usage();
                return 2;
            }
            dryRun.frameLimit = frames.value;
            ++i;
            continue;
        }
        if (args[i] == "--help" || args[i] == "-h") {
            out << usage();
            return 0;
        }
        if (args[i] == "--res") {
            if (i + 1 >= args.size()) {
                err << "quorin-content: --res needs a folder\n" << usage();
                return 2;
            }
            resourceRoot = args[++i];
            continue;
        }
        words.push_back(args[i]);
    }
    engine::FileUtils* files = engine::FileUtils::getInstance();
    if (!resourceRoot.empty()) {
        if (!std::filesystem::is_directory(resourceRoot)) {
            err << "quorin-content: " << resourceRoot << " is not a folder\n";
            return 2;
        }
        files->setResourceRoot(std::filesystem::absolute(resourceRoot).lexically_normal().string());
    }
    files->setSearchPaths(AppDelegate::searchPaths());  // found as the game finds them

    if (words.size() == 1 && words[0] == "check") return check(out, err);
    if (words.size() == 3 && words[0] == "dump") return dump(words[1], words[2], out, err);
    if (!words.empty() && words[0] == "dryrun" && (allScripts || words.size() > 1)) {
        std::vector<std::string> scripts(words.begin() + 1, words.end());
        if (allScripts) scripts = ScenarioDryRun::allScripts();
        return ScenarioDryRun(dryRun).run(scripts, out, err);
    }
    err << usage();
    return 2;
}

ContentContext ContentTool::makeContext() const {
    return ContentContext{DataSource::searchPaths()};
}

int ContentTool::check(std::ostream& out, std::ostream& err) const {
    ContentContext context = makeContext();
    Diagnostics diagnostics;
    for (const ContentCheck& check : registry_.checks())
        check.run(context, diagnostics);
    printDiagnostics(diagnostics, out);
    const std::string& root = engine::FileUtils::getInstance()->getResourceRoot();
    if (diagnostics.empty()) {
        err << "quorin-content: no problems in " << root << "\n";
        return 0;
    }
    err << "quorin-content: " << diagnostics.size() << (diagnostics.size() == 1 ? " problem" : " problems")
        << " in " << root << "\n";
    return 1;
}

int ContentTool::dump(const std::string& kind, const std::string& file, std::ostream& out,
                      std::ostream& err) const {
    const ContentDump* dump = registry_.findDump(kind);
    if (!dump) {
        err << "quorin-content: unknown kind \"" << kind << "\"\n" << usage();
        return 2;
    }
    std::string path = std::filesystem::absolute(file).lexically_normal().string();
    engine::FileUtils* files = engine::FileUtils::getInstance();
    if (!files->isFileExist(path)) {
        err << "quorin-content: cannot read " << file << "\n";
        return 1;
    }
    std::string text = files->getStringFromFile(path);
    Diagnostics diagnostics;
    nlohmann::json result;
    bool read = dump->run(kind, path, text, makeContext(), result, diagnostics);
    printDiagnostics(diagnostics, err);
    if (!read) return 1;
    out << result.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    return 0;
}

}  // namespace content

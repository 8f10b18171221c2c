// Animation scripts (".cma"): `check` reads every script of the resource tree with the game's own
// parser, collecting every mistake instead of stopping at the first, and checks that the pictures,
// cells and sounds the scripts name are there; `dump cma FILE` shows the timeline the game reads.
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/platform/FileUtils.h"
#include "game/scenario/AnimationScriptParser.h"
#include "game/scenario/AnimationSprites.h"
#include "tools/content/AnimationJson.h"
#include "tools/content/ContentKinds.h"

using namespace vastomer;

namespace content {

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Width and height from a PNG file's header; false when it is not a PNG.
bool pngSize(const std::string& path, int& width, int& height) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
    static const unsigned char SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (int i = 0; i < 8; ++i)
        if (header[i] != SIGNATURE[i]) return false;
    auto big = [&](int at) {
        return static_cast<int>((static_cast<unsigned>(header[at]) << 24) | (header[at + 1] << 16) |
                                (header[at + 2] << 8) | header[at + 3]);
    };
    width = big(16);
    height = big(20);
    return true;
}

// The pictures and sounds a timeline names must be found as the game finds them.
void checkReferences(const std::string& shownPath, const AnimationTimeline& timeline,
                     Diagnostics& diagnostics) {
    engine::FileUtils* files = engine::FileUtils::getInstance();
    std::map<std::string, std::pair<int, int>> sizes;  // picture → size; (-1, -1): not a PNG
    for (const auto& [frame, elements] : timeline.frames) {
        for (const AnimationElement& e : elements) {
            if (e.type == AnimationCommand::PLAYSE && files->fullPathForFilename(e.soundFile).empty())
                diagnostics.report(shownPath, e.line, "sound '" + e.soundFile + "' not found");
            if (e.type != AnimationCommand::PAINT && e.type != AnimationCommand::CHANGE) continue;
            auto known = sizes.find(e.image.file);
            if (known == sizes.end()) {
                const std::string path = files->fullPathForFilename(e.image.file);
                if (path.empty()) {
                    diagnostics.report(shownPath, e.line, "picture '" + e.image.file + "' not found");
                    continue;
                }
                int width = -1, height = -1;
                if (!pngSize(path, width, height)) width = height = -1;
                known = sizes.emplace(e.image.file, std::make_pair(width, height)).first;
            }
            const auto [width, height] = known->second;
            engine::Rect cell;
            if (width < 0) {
                diagnostics.report(shownPath, e.line, "picture '" + e.image.file + "' is not a PNG file");
            } else if (!e.image.isWholePicture() &&
                       !AnimationSprites::cellRect(e.image, width, height, cell)) {
                diagnostics.report(shownPath, e.line,
                                   "cell " + std::to_string(e.image.cellIndex) + " of " +
                                       std::to_string(e.image.cellWidth) + " x " +
                                       std::to_string(e.image.cellHeight) + " lies outside '" + e.image.file +
                                       "' (" + std::to_string(width) + " x " + std::to_string(height) + ")");
            }
        }
    }
}

void checkScript(const std::string& path, const std::string& text, Diagnostics& diagnostics) {
    AnimationTimeline timeline;
    std::vector<AnimationScriptError> errors;
    AnimationScriptParser::parse(text, timeline, AnimationScriptParser::Mode::COLLECT_ALL_ERRORS, errors);
    for (const AnimationScriptError& error : errors)
        diagnostics.report(path, error.line, error.authorMessage());
    if (errors.empty() && timeline.isEmpty())
        diagnostics.report(path, 0, "no element lines: the animation shows nothing and never finishes");
    checkReferences(path, timeline, diagnostics);
}

void checkAnimations(const ContentContext&, Diagnostics& diagnostics) {
    engine::FileUtils* files = engine::FileUtils::getInstance();
    for (const std::string& path : files->listFilesRecursively("res"))
        if (endsWith(path, ".cma")) checkScript(path, files->getStringFromFile(path), diagnostics);
}

bool dumpAnimation(const std::string&, const std::string& path, const std::string& text,
                   const ContentContext&, nlohmann::json& out, Diagnostics& diagnostics) {
    AnimationTimeline timeline;
    std::vector<AnimationScriptError> errors;
    AnimationScriptParser::parse(text, timeline, AnimationScriptParser::Mode::COLLECT_ALL_ERRORS, errors);
    for (const AnimationScriptError& error : errors)
        diagnostics.report(path, error.line, error.authorMessage());
    if (!errors.empty()) return false;  // the game loads nothing from a script with a mistake
    out = AnimationJson::of(timeline);
    return true;
}

}  // namespace

void registerAnimationContent(ContentRegistry& registry) {
    registry.addCheck(
        {"animations",
         "every animation script (.cma): the game's parser, all mistakes, and the pictures, cells "
         "and sounds it names",
         checkAnimations});
    registry.addDump(
        {{"cma"}, "an animation script (.cma): the timeline the game reads, frame by frame", dumpAnimation});
}

}  // namespace content

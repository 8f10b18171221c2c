#include "game/scenario/AnimationElement.h"

#include <cctype>
#include <string>
#include <vector>

#include "engine/base/NumberText.h"

namespace vastomer {

namespace {

struct CommandEntry {
    AnimationCommand command;
    const char* word;
    int fields;
};

// PAINT and CHANGE read up to the opacity (field 18), MOVE up to flip y (field 18).
constexpr CommandEntry kCommands[] = {
    {AnimationCommand::PAINT, "PAINT", 19},  {AnimationCommand::CHANGE, "CHANGE", 19},
    {AnimationCommand::MOVE, "MOVE", 19},    {AnimationCommand::REMOVE, "REMOVE", 3},
    {AnimationCommand::PLAYSE, "PLAYSE", 5}, {AnimationCommand::STOPSE, "STOPSE", 3},
    {AnimationCommand::FUNC, "FUNC", 4},
};

constexpr const char* kBlendWords[] = {"", "COLOR", "ADD", "SUB", "MULTI", "SCREEN", "EXCLUTION"};

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string_view> splitDroppingEmpty(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

const char* AnimationElement::commandWord(AnimationCommand command) {
    for (const CommandEntry& entry : kCommands)
        if (entry.command == command) return entry.word;
    return "";
}

bool AnimationElement::commandForWord(std::string_view upperWord, AnimationCommand& out) {
    for (const CommandEntry& entry : kCommands) {
        if (upperWord == entry.word) {
            out = entry.command;
            return true;
        }
    }
    return false;
}

int AnimationElement::fieldsNeeded(AnimationCommand command) {
    for (const CommandEntry& entry : kCommands)
        if (entry.command == command) return entry.fields;
    return 2;
}

int AnimationElement::blendModeForWord(std::string_view word) {
    std::string key = upper(word);
    for (int mode = 1; mode <= 6; ++mode)
        if (key == kBlendWords[mode]) return mode;
    return 0;
}

const char* AnimationElement::blendWord(int mode) {
    return mode >= 1 && mode <= 6 ? kBlendWords[mode] : "0";
}

int AnimationElement::colourField(std::string_view field) {
    return field == "-" ? 255 : engine::NumberText::leadingInt(field);
}

bool AnimationElement::readImage(std::string_view field, AnimationImage& out) {
    out = AnimationImage();
    if (field.find(':') == std::string_view::npos) {
        out.file = std::string(field);
        return true;
    }
    std::vector<std::string_view> parts = splitDroppingEmpty(field, ':');
    if (parts.size() < 4) return false;
    out.file = std::string(parts[0]);
    out.cellWidth = engine::NumberText::leadingInt(parts[1]);
    out.cellHeight = engine::NumberText::leadingInt(parts[2]);
    out.cellIndex = engine::NumberText::leadingInt(parts[3]);
    return out.cellWidth >= 1 && out.cellHeight >= 1;
}

std::string AnimationElement::imageText(const AnimationImage& image) {
    if (image.isWholePicture() && image.cellWidth == 0) return image.file;
    return image.file + ":" + std::to_string(image.cellWidth) + ":" + std::to_string(image.cellHeight) + ":" +
           std::to_string(image.cellIndex);
}

}  // namespace vastomer

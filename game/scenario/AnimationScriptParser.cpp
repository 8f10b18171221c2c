#include "game/scenario/AnimationScriptParser.h"

#include <cctype>
#include <set>

#include "engine/base/NumberText.h"

namespace vastomer {

namespace {

using engine::NumberText;

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find(',', start);
        if (end == std::string_view::npos) end = line.size();
        if (end > start) fields.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

std::string upper(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

float floatField(const std::string& field) {
    return static_cast<float>(NumberText::leadingDouble(field));
}

AnimationScriptError makeError(int line, std::string reason, std::string detail = "") {
    AnimationScriptError error;
    error.line = line;
    error.reason = std::move(reason);
    error.detail = std::move(detail);
    return error;
}

// The sprite fields shared by PAINT, CHANGE and MOVE (MOVE keeps blend, colour and flips elsewhere).
void readSpriteFields(const std::vector<std::string>& f, AnimationElement& e) {
    e.x = floatField(f[4]);
    e.y = floatField(f[5]);
    e.z = floatField(f[6]);
    e.scaleX = floatField(f[7]);
    e.scaleY = floatField(f[8]);
    e.anchorX = floatField(f[9]);
    e.anchorY = floatField(f[10]);
    e.rotation = floatField(f[11]);
    const bool isMove = e.type == AnimationCommand::MOVE;
    const std::size_t blend = isMove ? 12 : 14;
    e.blendMode = AnimationElement::blendModeForWord(f[blend]);
    e.red = AnimationElement::colourField(f[blend + 1]);
    e.green = AnimationElement::colourField(f[blend + 2]);
    e.blue = AnimationElement::colourField(f[blend + 3]);
    e.opacity = AnimationElement::colourField(f[blend + 4]);
    e.flipX = f[isMove ? 17 : 12] == "true";
    e.flipY = f[isMove ? 18 : 13] == "true";
}

}  // namespace

std::string AnimationScriptError::gameMessage(const std::string& file) const {
    return reason + ". line:" + std::to_string(line) + " file:" + file;
}

bool AnimationScriptParser::readElement(const std::vector<std::string>& f, int line, AnimationElement& e,
                                        AnimationScriptError& error) {
    e = AnimationElement();
    e.line = line;
    e.frame = NumberText::leadingInt(f[0]);
    std::string word = upper(f[1]);
    if (!AnimationElement::commandForWord(word, e.type)) {
        error = makeError(line, "Corrupt script [" + word + "]",
                          "Corrupt script [" + word +
                              "]: not a command (PAINT, CHANGE, MOVE, REMOVE, PLAYSE, "
                              "STOPSE, FUNC)");
        return false;
    }
    const int needed = AnimationElement::fieldsNeeded(e.type);
    if (static_cast<int>(f.size()) < needed) {
        error = makeError(line, "Missing fields [" + word + " needs " + std::to_string(needed) + ", found " +
                                    std::to_string(f.size()) + "]");
        return false;
    }
    switch (e.type) {
        case AnimationCommand::PAINT:
        case AnimationCommand::CHANGE:
        case AnimationCommand::MOVE:
            e.id = NumberText::leadingInt(f[2]);
            if (e.type != AnimationCommand::MOVE && !AnimationElement::readImage(f[3], e.image)) {
                error = makeError(line, "Corrupt image [" + f[3] + "]",
                                  "Corrupt image [" + f[3] +
                                      "]: write file:cellWidth:cellHeight:index or a "
                                      "plain file name");
                return false;
            }
            readSpriteFields(f, e);
            break;
        case AnimationCommand::REMOVE:
        case AnimationCommand::STOPSE:
            e.id = NumberText::leadingInt(f[2]);
            break;
        case AnimationCommand::PLAYSE:
            e.id = NumberText::leadingInt(f[2]);
            e.soundFile = f[3];
            e.volume = floatField(f[4]);
            break;
        case AnimationCommand::FUNC:
            e.firstText = f[2];
            e.secondText = f[3];
            break;
    }
    return true;
}

bool AnimationScriptParser::parse(std::string_view text, AnimationTimeline& timeline, Mode mode,
                                  std::vector<AnimationScriptError>& errors) {
    timeline.clear();
    const std::size_t errorsBefore = errors.size();
    auto fail = [&](const AnimationScriptError& error) {
        errors.push_back(error);
        return mode == Mode::STOP_AT_FIRST_ERROR;
    };

    std::set<int> definedIds;
    bool headerRead = false;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line;
        for (std::size_t i = start; i < end; ++i)
            if (text[i] != '\r') line.push_back(text[i]);
        start = end + 1;
        ++lineNumber;
        if (line.empty()) continue;

        std::vector<std::string> fields = splitFields(line);
        if (!headerRead) {
            headerRead = true;
            if (fields.size() < 4) {
                if (fail(makeError(lineNumber, "Corrupt script",
                                   "Corrupt script: the first line must be name,width,height,interval")))
                    break;
                continue;
            }
            timeline.name = fields[0];
            timeline.width = NumberText::leadingInt(fields[1]);
            timeline.height = NumberText::leadingInt(fields[2]);
            timeline.interval = NumberText::leadingDouble(fields[3]);
            continue;
        }
        if (line.compare(0, 2, "//") == 0) continue;
        if (fields.size() < 2) {
            if (fail(makeError(lineNumber, "Corrupt script",
                               "Corrupt script: an element line needs at least frame,COMMAND")))
                break;
            continue;
        }
        AnimationElement element;
        AnimationScriptError error;
        if (!readElement(fields, lineNumber, element, error)) {
            if (fail(error)) break;
            continue;
        }
        const std::string id = std::to_string(element.id);
        if (element.type == AnimationCommand::PAINT) {
            if (definedIds.count(element.id)) {
                if (fail(makeError(lineNumber, "Duplicate id [" + id + "]",
                                   "Duplicate id [" + id + "]: an earlier PAINT line made this id")))
                    break;
                continue;
            }
            definedIds.insert(element.id);
        } else if (element.type == AnimationCommand::CHANGE || element.type == AnimationCommand::MOVE ||
                   element.type == AnimationCommand::REMOVE) {
            if (!definedIds.count(element.id)) {
                if (fail(makeError(lineNumber, "Undefined id [" + id + "]",
                                   "Undefined id [" + id + "]: no earlier PAINT line makes this id")))
                    break;
                continue;
            }
        }
        timeline.add(element);
    }

    if (!headerRead)
        errors.push_back(
            makeError(1, "Corrupt script", "Corrupt script: the file is empty (no header line)"));

    const bool clean = errors.size() == errorsBefore;
    if (!clean && mode == Mode::STOP_AT_FIRST_ERROR) timeline.clear();
    return clean;
}

}  // namespace vastomer

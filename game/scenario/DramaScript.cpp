#include "game/scenario/DramaScript.h"

#include "game/data/DataSource.h"
#include "game/data/Diagnostics.h"
#include "game/data/MasterText.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {

using Fields = std::vector<std::string>;

float numberOf(const std::string& field) {
    float value = 0.0f;
    bool trailing = false;
    if (!MasterText::isNumber(field) || !MasterText::leadingFloat(field, value, trailing)) return 0.0f;
    return value;
}

int integerOf(const std::string& field) {
    if (!MasterText::isNumber(field)) return 0;
    LeadingInt read = MasterText::leadingInt(field);
    return read.status == LeadingInt::Status::OK ? read.value : 0;
}

class RecordReader {
public:
    RecordReader(const Fields& fields, int line, const std::string& file, Diagnostics* diagnostics)
        : fields_(fields), line_(line), file_(file), diagnostics_(diagnostics) {}

    DramaPartData read() {
        DramaPartData record;
        record.line = line_;
        const std::string& word = fields_[0];
        if (word == "ANIME") {
            readAnime(record);
        } else if (word == "MESSAGE") {
            readMessage(record);
        } else if (word == "WAIT") {
            if (!needs(2, "WAIT,seconds")) return record;
            if (MasterText::isNumber(fields_[1])) {
                record.type = DramaPartData::WAIT;
                record.seconds = numberOf(fields_[1]);
            } else {
                report("WAIT: '" + fields_[1] + "' is not a number; the line does nothing");
            }
        } else {
            report("unknown command '" + word + "'; the line does nothing");
        }
        return record;
    }

private:
    void readAnime(DramaPartData& record) {
        if (fields_.size() >= 2 && fields_[1] == "REMOVE") {
            record.type = DramaPartData::ANIME_REMOVE;
            record.name = fields_.size() >= 3 ? fields_[2] : fields_[1];
            if (fields_.size() < 3)
                report("ANIME,REMOVE names no animation; it removes the one named REMOVE");
            return;
        }
        if (!needs(10, "ANIME,name,file,anchorX,anchorY,x,y,z,loop,noWait")) return;
        record.type = DramaPartData::ANIME;
        record.name = fields_[1];
        record.file = fields_[2];
        bool placed = true;
        for (std::size_t i = 3; i <= 6; ++i)
            placed = placed && MasterText::isNumber(fields_[i]);
        if (placed) {
            record.anchor = engine::Vec2(numberOf(fields_[3]), numberOf(fields_[4]));
            record.position = engine::Vec2(numberOf(fields_[5]), numberOf(fields_[6]));
            record.z = integerOf(fields_[7]);
        } else {
            report("ANIME: anchor and position must be numbers; the animation is placed at 0, 0");
        }
        record.loop = fields_[8] == "true";
        record.noWait = fields_[9] == "true";
        record.relative = fields_.size() >= 11 && fields_[10] == "true";
        record.costumed = record.file.find(".cma") == std::string::npos;
    }

    void readMessage(DramaPartData& record) {
        if (fields_.size() >= 2 && fields_[1] == "END") {
            record.type = DramaPartData::MESSAGE_END;
            return;
        }
        if (!needs(6, "MESSAGE,speaker,key,picture,left,noWait")) return;
        record.type = DramaPartData::MESSAGE;
        record.speaker = integerOf(fields_[1]);
        record.textKey = fields_[2];
        record.picture = fields_[3];
        record.left = fields_[4] == "true";
        record.noWait = fields_[5] == "true";
    }

    bool needs(std::size_t count, const char* form) {
        if (fields_.size() >= count) return true;
        report(std::string(form) + " needs " + std::to_string(count) + " fields, the line has " +
               std::to_string(fields_.size()) + "; the line does nothing");
        return false;
    }

    void report(const std::string& message) {
        if (diagnostics_) diagnostics_->report(file_, line_, message);
    }

    const Fields& fields_;
    int line_;
    const std::string& file_;
    Diagnostics* diagnostics_;
};

}  // namespace

DramaScript DramaScript::parse(std::string_view text, const std::string& fileName, Diagnostics* diagnostics) {
    DramaScript script;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ++number;
        std::string line;
        for (std::size_t i = start; i < end; ++i)
            if (text[i] != '\r') line.push_back(text[i]);
        start = end + 1;
        if (line.empty() || MasterText::startsWith(line, "//")) continue;
        Fields fields;
        for (const std::string& piece : MasterText::split(line, ',')) {
            std::string field = MasterText::trim(piece);
            if (!field.empty()) fields.push_back(std::move(field));
        }
        if (fields.empty()) continue;
        if (!script.hasHeader) {
            script.hasHeader = true;
            script.headerLine = number;
            script.title = fields[0];
            if (fields.size() >= 2) {
                script.subtitle = fields[1];
            } else if (diagnostics) {
                diagnostics->report(fileName, number, "the header has no second text (title,subtitle)");
            }
            continue;
        }
        script.records.push_back(RecordReader(fields, number, fileName, diagnostics).read());
    }
    if (!script.hasHeader && diagnostics)
        diagnostics->report(fileName, 0, "no header line: the part shows nothing");
    return script;
}

bool DramaScript::load(const std::string& fileName, const DataSource& source, DramaScript& out,
                       Diagnostics* diagnostics) {
    std::string text;
    std::string shownPath;
    if (!source.read(fileName, text, shownPath)) return false;
    out = parse(text, shownPath, diagnostics);
    return true;
}

std::string DramaScript::costumedFile(const std::string& file, int equippedWear) {
    return file + "_" + NSpriteAnimationManager::padded(equippedWear + 1, 2) + ".cma";
}

std::string DramaScript::portraitFile(const std::string& picture, int equippedWear) {
    std::vector<std::string> parts = MasterText::split(picture, ':');
    if (parts.size() != 2 || !MasterText::isNumber(parts[0]) || !MasterText::isNumber(parts[1])) return "";
    const int who = integerOf(parts[0]);
    const int face = integerOf(parts[1]);
    return "cf_" + NSpriteAnimationManager::padded(who, 2) + "_" +
           NSpriteAnimationManager::padded(equippedWear + 1, 2) + "_" +
           NSpriteAnimationManager::padded(face, 2) + ".png";
}

}  // namespace vastomer

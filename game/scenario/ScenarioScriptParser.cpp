#include "game/scenario/ScenarioScriptParser.h"

#include <map>

#include "game/data/Diagnostics.h"
#include "game/data/MasterText.h"
#include "game/scenario/ScenarioLineFields.h"

namespace vastomer {

namespace {

using Args = std::vector<ScenarioValue>;

ScenarioValue word(const char* text) {
    return ScenarioValue(std::string(text));
}

// Each reader fills the values of its keyword's forms; false drops the line.
bool readCam(ScenarioLineFields& f, Args& a) {
    if (f.is(1, "CHARA")) {
        if (!f.require(4, "CAM;CHARA;character;seconds")) return false;
        a = {word("CHARA"), f.text(2), f.strictReal(3, "seconds", true)};
        f.ignoreBeyond(4);
    } else if (f.is(1, "RELATIVE")) {
        if (!f.require(5, "CAM;RELATIVE;dx;dy;seconds")) return false;
        a = {word("RELATIVE"), f.integer(2, "dx"), f.strictInteger(3, "dy"),
             f.strictReal(4, "seconds", true)};
        f.ignoreBeyond(5);
    } else if (f.is(1, "CENTER")) {
        if (!f.require(3, "CAM;CENTER;seconds")) return false;
        a = {word("CENTER"), f.strictReal(2, "seconds", true)};
        f.ignoreBeyond(3);
    } else {
        if (!f.require(4, "CAM;x;y;seconds")) return false;
        a = {f.integer(1, "x"), f.integer(2, "y"), f.real(3, "seconds", true)};
        f.ignoreBeyond(4);
    }
    return true;
}

bool readTalk(ScenarioLineFields& f, Args& a) {
    if (!f.require(2, "TALK;key")) return false;
    if (f.is(1, "SPEAKER")) {
        if (!f.require(3, "TALK;SPEAKER;NAME|SPRITE|CLEAR")) return false;
        a = {word("SPEAKER")};
        if (f.is(2, "NAME")) {
            if (!f.require(4, "TALK;SPEAKER;NAME;number")) return false;
            a.insert(a.end(), {word("NAME"), f.integer(3, "number")});
            f.ignoreBeyond(4);
        } else if (f.is(2, "SPRITE")) {
            if (!f.require(5, "TALK;SPEAKER;SPRITE;side;picture")) return false;
            a.insert(a.end(), {word("SPRITE"), f.text(3), f.text(4)});
            for (std::size_t i = 5; i < 7 && f.has(i); ++i)
                a.push_back(f.text(i));
            f.ignoreBeyond(7);
        } else if (f.is(2, "CLEAR")) {
            if (!f.require(4, "TALK;SPEAKER;CLEAR;side")) return false;
            a.insert(a.end(), {word("CLEAR"), f.text(3)});
            if (f.has(4)) a.push_back(f.text(4));
            f.ignoreBeyond(5);
        } else {
            f.unknownWord(2, "TALK;SPEAKER");
        }
    } else if (f.is(1, "START") || f.is(1, "END")) {
        a = {f.text(1)};
        if (f.has(2)) a.push_back(f.text(2));
        f.ignoreBeyond(3);
    } else if (f.is(1, "CLEAR")) {
        a = {word("CLEAR")};
        f.ignoreBeyond(2);
    } else {
        a = {f.text(1)};
        for (std::size_t i = 2; i < 4 && f.has(i); ++i)
            a.push_back(f.text(i));
        f.ignoreBeyond(4);
    }
    return true;
}

// SOUND and BGM share their forms.
bool readAudio(ScenarioLineFields& f, Args& a) {
    if (f.is(1, "STOP")) {
        a = {word("STOP")};
        f.ignoreBeyond(2);
        return true;
    }
    if (!f.require(3, "file;volume")) return false;
    a = {f.text(1), f.real(2, "volume")};
    f.ignoreBeyond(3);
    return true;
}

bool readChara(ScenarioLineFields& f, Args& a) {
    if (!f.require(2, "CHARA;GEN|MOVE|REMOVE|ANIME|VISIBLE|SETZ")) return false;
    if (f.is(1, "GEN")) {
        if (!f.require(7, "CHARA;GEN;kind;label;x;y;facing")) return false;
        a = {word("GEN"), f.integer(2, "kind"), f.text(3), f.integer(4, "x"), f.integer(5, "y"), f.text(6)};
        f.ignoreBeyond(7);
    } else if (f.is(1, "MOVE")) {
        if (!f.require(6, "CHARA;MOVE;character;dx;dy;seconds")) return false;
        a = {word("MOVE"), f.text(2), f.integer(3, "dx"), f.integer(4, "dy"), f.real(5, "seconds")};
        for (std::size_t i = 6; i < 8 && f.has(i); ++i)
            a.push_back(f.text(i));
        f.ignoreBeyond(8);
    } else if (f.is(1, "REMOVE")) {
        if (!f.require(3, "CHARA;REMOVE;character")) return false;
        a = {word("REMOVE"), f.text(2)};
        f.ignoreBeyond(3);
    } else if (f.is(1, "ANIME")) {
        if (!f.require(4, "CHARA;ANIME;character;animation")) return false;
        a = {word("ANIME"), f.text(2), f.text(3)};
        if (f.has(4)) a.push_back(f.text(4));
        f.ignoreBeyond(5);
    } else if (f.is(1, "VISIBLE")) {
        // Without its flag the character is hidden, as with any flag other than "TRUE".
        if (!f.require(3, "CHARA;VISIBLE;character")) return false;
        a = {word("VISIBLE"), f.text(2)};
        if (f.has(3)) a.push_back(f.text(3));
        f.ignoreBeyond(4);
    } else if (f.is(1, "SETZ")) {
        if (!f.require(4, "CHARA;SETZ;character;z")) return false;
        a = {word("SETZ"), f.text(2), f.integer(3, "z")};
        f.ignoreBeyond(4);
    } else {
        f.unknownWord(1, "CHARA");
    }
    return true;
}

bool readAnime(ScenarioLineFields& f, Args& a) {
    if (!f.require(2, "ANIME;GEN|MOVE|CLEAR|SETZ")) return false;
    if (f.is(1, "GEN")) {
        // Exactly ten fields place the animation at a point; any other count beside a character.
        if (f.count() == 10) {
            a = {word("GEN"),       f.text(2), f.text(3), f.integer(4, "x"), f.integer(5, "y"),
                 f.integer(6, "z"), f.text(7), f.text(8), f.text(9)};
        } else {
            if (!f.require(11, "ANIME;GEN;file;id;character;dx;dy;z;facing;layer;mode")) return false;
            a = {word("GEN"),        f.text(2),         f.text(3), f.text(4), f.integer(5, "dx"),
                 f.integer(6, "dy"), f.integer(7, "z"), f.text(8), f.text(9), f.text(10)};
            f.ignoreBeyond(11);
        }
    } else if (f.is(1, "MOVE")) {
        if (!f.require(6, "ANIME;MOVE;id;dx;dy;seconds")) return false;
        a = {word("MOVE"), f.text(2), f.integer(3, "dx"), f.integer(4, "dy"), f.real(5, "seconds")};
        if (f.has(6)) a.push_back(f.text(6));
        f.ignoreBeyond(7);
    } else if (f.is(1, "CLEAR")) {
        if (!f.require(3, "ANIME;CLEAR;id")) return false;
        a = {word("CLEAR"), f.text(2)};
        f.ignoreBeyond(3);
    } else if (f.is(1, "SETZ")) {
        if (!f.require(4, "ANIME;SETZ;id;z")) return false;
        a = {word("SETZ"), f.text(2), f.integer(3, "z")};
        f.ignoreBeyond(4);
    } else {
        f.unknownWord(1, "ANIME");
    }
    return true;
}

bool readChangeMap(ScenarioLineFields& f, Args& a) {
    if (!f.require(2, "CHANGEMAP;mapFile")) return false;
    a = {f.text(1)};
    f.ignoreBeyond(2);
    return true;
}

bool readFade(ScenarioLineFields& f, Args& a) {
    if (!f.require(3, "FADE;direction;seconds")) return false;
    a = {f.text(1), f.real(2, "seconds")};
    f.ignoreBeyond(3);
    return true;
}

bool readSprite(ScenarioLineFields& f, Args& a) {
    if (f.is(1, "CLEAR")) {
        if (!f.require(3, "SPRITE;CLEAR;id")) return false;
        a = {word("CLEAR"), f.text(2)};
        f.ignoreBeyond(3);
        return true;
    }
    if (!f.require(9, "SPRITE;id;file;x;y;z;opacity;layer;facing")) return false;
    a = {f.text(1),         f.text(2),         f.integer(3, "x"),
         f.integer(4, "y"), f.integer(5, "z"), f.integer(6, "opacity"),
         f.text(7),         f.text(8)};
    f.ignoreBeyond(9);
    return true;
}

bool readParticle(ScenarioLineFields& f, Args& a) {
    if (!f.require(5, "PARTICLE;file;x;y;z")) return false;
    a = {f.text(1), f.real(2, "x"), f.real(3, "y"), f.real(4, "z")};
    f.ignoreBeyond(5);
    return true;
}

bool readWait(ScenarioLineFields& f, Args& a) {
    if (f.is(1, "KEY")) {
        if (!f.require(3, "WAIT;KEY;key")) return false;
        a = {word("KEY"), f.text(2)};
        f.ignoreBeyond(3);
        return true;
    }
    if (!f.require(2, "WAIT;seconds")) return false;
    a = {f.real(1, "seconds")};
    f.ignoreBeyond(2);
    return true;
}

bool readNothing(ScenarioLineFields&, Args&) {
    return true;
}

bool readVar(ScenarioLineFields& f, Args& a) {
    if (!f.require(3, "VAR;name;number")) return false;
    if (f.is(2, "R")) {
        a = {f.text(1), word("R")};
        f.ignoreBeyond(3);
        return true;
    }
    a = {f.text(1), f.integer(2, "number")};
    if (f.has(3)) a.push_back(f.text(3));
    f.ignoreBeyond(4);
    return true;
}

bool readCond(ScenarioLineFields& f, Args& a) {
    if (!f.require(5, "COND;variable;comparison;number;script")) return false;
    a = {f.text(1), f.text(2), f.integer(3, "number"), f.text(4)};
    f.ignoreBeyond(5);
    return true;
}

bool readTelop(ScenarioLineFields& f, Args& a) {
    if (!f.require(2, "TELOP;key")) return false;
    a = {f.text(1)};
    f.ignoreBeyond(2);
    return true;
}

using Reader = bool (*)(ScenarioLineFields&, Args&);

const std::map<std::string, Reader>& readers() {
    static const std::map<std::string, Reader> table = {
        {"CAM", readCam},
        {"TALK", readTalk},
        {"SOUND", readAudio},
        {"BGM", readAudio},
        {"CHARA", readChara},
        {"ANIME", readAnime},
        {"CHANGEMAP", readChangeMap},
        {"FADE", readFade},
        {"SPRITE", readSprite},
        {"PARTICLE", readParticle},
        {"WAIT", readWait},
        {"FUNC", readNothing},
        {"VAR", readVar},
        {"COND", readCond},
        {"TELOP", readTelop},
        {"ENDING", readNothing},
    };
    return table;
}

}  // namespace

std::vector<ScenarioCommand> ScenarioScriptParser::parse(std::string_view text, const std::string& fileName,
                                                         const std::string& shownPath,
                                                         Diagnostics* diagnostics) {
    std::vector<ScenarioCommand> commands;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ++number;
        std::string line;
        line.reserve(end - start);
        for (std::size_t i = start; i < end; ++i)
            if (text[i] != '\r') line.push_back(text[i]);
        start = end + 1;
        if (line.empty() || MasterText::startsWith(line, "//")) continue;

        std::vector<std::string> fields = MasterText::split(line, ';');
        if (fields.empty()) continue;
        auto reader = readers().find(fields[0]);
        if (reader == readers().end()) {
            if (diagnostics)
                diagnostics->report(shownPath, number, "unknown command '" + fields[0] + "'; line skipped");
            continue;
        }
        ScenarioLineFields reading(fields, number, shownPath, diagnostics);
        ScenarioCommand command;
        if (!reader->second(reading, command.args)) continue;
        command.name = fields[0];
        command.file = fileName;
        command.line = number;
        commands.push_back(std::move(command));
    }
    return commands;
}

const std::vector<std::string>& ScenarioScriptParser::keywords() {
    static const std::vector<std::string> words = [] {
        std::vector<std::string> list;
        for (const auto& entry : readers())
            list.push_back(entry.first);
        return list;
    }();
    return words;
}

bool ScenarioScriptParser::isKeyword(const std::string& word) {
    return readers().count(word) > 0;
}

}  // namespace vastomer

#include "tools/synth/EffectParser.h"

#include "tools/synth/LineCursor.h"
#include "tools/synth/PatchParser.h"
#include "tools/synth/SourceReader.h"

namespace synth {

SoundEffect EffectParser::parse(std::istream& in, const std::string& file) {
    SourceReader reader(in, file);
    SoundEffect effect;
    SourceLine line;
    while (reader.next(line)) {
        LineCursor cursor(reader, line);
        if (cursor.key() == "voice") {
            cursor.finish();
            effect.voices.emplace_back();
            effect.voices.back().seed = static_cast<std::uint32_t>(effect.voices.size());
            continue;
        }
        if (cursor.key() == "gain") {
            effect.gainDb = cursor.number("decibels", -60.0, 24.0);
            cursor.finish();
            continue;
        }
        // Settings before the first "voice" line belong to an implicit first voice.
        if (effect.voices.empty()) effect.voices.emplace_back();
        if (!PatchParser::apply(cursor, effect.voices.back()))
            cursor.fail("unknown setting '" + cursor.key() + "'");
    }
    if (effect.voices.empty()) reader.fail(reader.lastLine(), "no voice: a sound needs at least a 'wave'");
    return effect;
}

}  // namespace synth

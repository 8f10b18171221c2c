#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/base/Geometry.h"

namespace vastomer {

class DataSource;
class Diagnostics;

// One record of a drama part script.
struct DramaPartData {
    enum Type : int {
        NOTHING = 0,
        ANIME = 1,
        ANIME_REMOVE = 2,
        MESSAGE = 3,
        MESSAGE_END = 4,
        WAIT = 5,
    };
    int type = NOTHING;
    std::string name;  // the animation's name
    std::string file;  // its ".cma" file, or a name the equipped wear completes (costumed)
    engine::Vec2 position;
    engine::Vec2 anchor;
    int z = 0;
    bool loop = false;
    bool costumed = false;
    int speaker = 0;       // character-name number
    std::string textKey;   // scenario string key
    std::string picture;   // "A:B" portrait, anything else for none
    bool left = false;     // the speaker stands on the left
    float seconds = 0.0f;  // WAIT
    bool noWait = false;
    bool relative = false;
    int line = 0;  // physical line in its file (1-based)
};

// A drama part script (".bds"): a header line with two texts (the part's title and subtitle keys)
// and one record a line.
//
// Format: carriage returns removed, lines cut at line feeds, empty lines and lines starting with
// "//" skipped; fields cut at "," with empty fields dropped, each trimmed of blanks. Records:
//   ANIME,name,file,anchorX,anchorY,x,y,z,loop,noWait[,relative]   shows an animation
//   ANIME,REMOVE,name                                               takes one down
//   MESSAGE,speaker,key,picture,left,noWait                        a line of dialogue
//   MESSAGE,END                                                     closes the window
//   WAIT,seconds                                                    a pause
// Anchor, position and z are read only when the anchor and position fields are all numbers (else
// all 0); loop, noWait, left and relative are true for "true". A line with fewer fields than its form
// needs, an unknown command or a WAIT without a number is kept as a record that does nothing, and
// reported with its file and line.
class DramaScript {
public:
    // Reads `text` (named `fileName` in reports). Never fails: a text without a header has an empty
    // title and no records.
    static DramaScript parse(std::string_view text, const std::string& fileName, Diagnostics* diagnostics);
    // Reads the file through `source`; false when there is no such file.
    static bool load(const std::string& fileName, const DataSource& source, DramaScript& out,
                     Diagnostics* diagnostics);

    // The file name a costumed animation plays for the equipped wear: file + "_" + (wear + 1, two
    // digits) + ".cma".
    static std::string costumedFile(const std::string& file, int equippedWear);
    // The portrait of a "A:B" picture field, "cf_AA_WW_BB.png"; empty for anything else ("-").
    static std::string portraitFile(const std::string& picture, int equippedWear);

    std::string title;
    std::string subtitle;
    std::vector<DramaPartData> records;
    bool hasHeader = false;
    int headerLine = 0;
};

}  // namespace vastomer

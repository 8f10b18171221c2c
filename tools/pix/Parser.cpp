#include "tools/pix/Parser.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/pix/Tokenizer.h"

namespace pix {

namespace fs = std::filesystem;

namespace {

const std::set<std::string> OPS = {"fill", "rect",     "frame",   "line",  "disc", "ring",    "ellipse",
                                   "poly", "gradient", "draw",    "tile",  "nine", "scatter", "outline",
                                   "text", "cell",     "replace", "erase", "glow"};

bool validName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '_' || c == '-';
        if (!ok) return false;
    }
    return true;
}

int parseInt(const std::string& text, const SourcePos& pos, const char* what) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end)
        throw PixError(pos, std::string("expected a whole number for ") + what + ", got '" + text + "'");
    return value;
}

// "WxH" with both numbers above zero.
void parseSize(const std::string& text, const SourcePos& pos, int& w, int& h) {
    const auto x = text.find('x');
    if (x == std::string::npos) throw PixError(pos, "expected a size WxH, got '" + text + "'");
    w = parseInt(text.substr(0, x), pos, "a width");
    h = parseInt(text.substr(x + 1), pos, "a height");
    if (w <= 0 || h <= 0 || w > 8192 || h > 8192) throw PixError(pos, "size out of range: '" + text + "'");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::string();
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace

std::vector<Parser::Line> Parser::splitLines(const std::string& text, const std::string& name) {
    std::vector<Line> lines;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        SourcePos pos{name, number};
        const std::string code = Tokenizer::stripComment(raw);
        auto words = Tokenizer::split(code, pos);
        if (words.empty()) continue;
        lines.push_back(Line{std::move(words), pos, code});
    }
    return lines;
}

void Parser::parseFile(const std::string& path) {
    if (!fs::exists(path)) throw PixError("cannot read '" + path + "': no such file");
    const std::string canonical = fs::weakly_canonical(path).string();
    included_.insert(canonical);
    document_.addFileRead(canonical);
    const std::string text = readFile(path);
    parseLines(splitLines(text, path), fs::path(path).parent_path().string(), false, 0);
}

void Parser::parseText(const std::string& text, const std::string& name, const std::string& dir) {
    parseLines(splitLines(text, name), dir, false, 0);
}

void Parser::includeFile(const std::string& path, const SourcePos& from, int depth) {
    if (depth > 16) throw PixError(from, "includes nested too deeply");
    if (!fs::exists(path)) throw PixError(from, "cannot include '" + path + "': no such file");
    const std::string canonical = fs::weakly_canonical(path).string();
    if (!included_.insert(canonical).second) return;
    document_.addFileRead(canonical);
    parseLines(splitLines(readFile(path), path), fs::path(path).parent_path().string(), true, depth + 1);
}

void Parser::parseLines(const std::vector<Line>& lines, const std::string& dir, bool included, int depth) {
    std::string defaultPalette;
    std::size_t i = 0;
    while (i < lines.size()) {
        const Line& line = lines[i];
        const std::string& key = line.words[0];
        if (key == "include") {
            if (line.words.size() != 2) throw PixError(line.pos, "include takes one file name");
            includeFile((fs::path(dir) / line.words[1]).string(), line.pos, depth);
            ++i;
        } else if (key == "use") {
            if (line.words.size() != 2) throw PixError(line.pos, "use takes one palette name");
            defaultPalette = line.words[1];
            ++i;
        } else if (key == "font") {
            if (line.words.size() != 3) throw PixError(line.pos, "font takes a name and a file");
            if (!validName(line.words[1])) throw PixError(line.pos, "bad font name '" + line.words[1] + "'");
            document_.addFont(FontDef{line.words[1], line.words[2], dir, line.pos});
            ++i;
        } else if (key == "palette") {
            i = parsePalette(lines, i);
        } else if (key == "grid") {
            i = parseGrid(lines, i, defaultPalette);
        } else if (key == "picture" || key == "piece" || key == "preview") {
            i = parsePicture(lines, i, defaultPalette, included);
        } else {
            throw PixError(line.pos, "unknown statement '" + key + "'");
        }
    }
}

std::size_t Parser::parsePalette(const std::vector<Line>& lines, std::size_t i) {
    const Line& head = lines[i];
    if (head.words.size() != 2 && !(head.words.size() == 4 && head.words[2] == "from")) {
        throw PixError(head.pos, "expected 'palette NAME' or 'palette NAME from BASE'");
    }
    if (!validName(head.words[1])) throw PixError(head.pos, "bad palette name '" + head.words[1] + "'");
    Palette palette(head.words[1], head.pos);
    if (head.words.size() == 4) {
        const Palette* base = document_.palette(head.words[3]);
        if (base == nullptr) throw PixError(head.pos, "unknown palette '" + head.words[3] + "'");
        for (const auto& [letter, colour] : base->colours())
            palette.set(letter, colour);
    }
    for (++i; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.words[0] == "end") {
            document_.addPalette(palette);
            return i + 1;
        }
        if (line.words.size() < 2 || line.words[0].size() != 1) {
            throw PixError(line.pos, "expected 'LETTER COLOUR' in palette '" + palette.name() + "'");
        }
        const char letter = line.words[0][0];
        if (letter == '#') throw PixError(line.pos, "'#' cannot be a palette letter");
        const std::string& value = line.words[1];
        Rgba colour;
        if (value == "transparent" || value == "none") {
            colour = Rgba{};
        } else if (value.size() == 1) {
            if (!palette.find(value[0], colour)) {
                throw PixError(line.pos,
                               "unknown palette letter '" + value + "' in palette '" + palette.name() + "'");
            }
        } else if (!Palette::parseHex(value, colour)) {
            throw PixError(line.pos,
                           "bad colour '" + value + "' (use #rrggbb, #rrggbbaa, a letter or transparent)");
        }
        palette.set(letter, colour);
    }
    throw PixError(head.pos, "palette '" + palette.name() + "' has no 'end'");
}

std::size_t Parser::parseGrid(const std::vector<Line>& lines, std::size_t i,
                              const std::string& defaultPalette) {
    const Line& head = lines[i];
    if (head.words.size() != 2 && !(head.words.size() == 4 && head.words[2] == "palette")) {
        throw PixError(head.pos, "expected 'grid NAME' or 'grid NAME palette P'");
    }
    if (!validName(head.words[1])) throw PixError(head.pos, "bad grid name '" + head.words[1] + "'");
    GridDef grid;
    grid.name = head.words[1];
    grid.pos = head.pos;
    grid.palette = head.words.size() == 4 ? head.words[3] : defaultPalette;
    for (++i; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.words.size() == 1 && line.words[0] == "end") {
            if (grid.rows.empty()) throw PixError(head.pos, "grid '" + grid.name + "' has no rows");
            document_.addGrid(grid);
            return i + 1;
        }
        if (line.words.size() != 1) throw PixError(line.pos, "grid rows must not contain spaces");
        const std::string& row = line.words[0];
        if (!grid.rows.empty() && row.size() != grid.rows.front().size()) {
            throw PixError(line.pos, "ragged grid '" + grid.name + "': this row is " +
                                         std::to_string(row.size()) + " pixels wide, the first row " +
                                         std::to_string(grid.rows.front().size()));
        }
        grid.rows.push_back(row);
        grid.rowLines.push_back(line.pos.line);
    }
    throw PixError(head.pos, "grid '" + grid.name + "' has no 'end'");
}

std::size_t Parser::parsePicture(const std::vector<Line>& lines, std::size_t i,
                                 const std::string& defaultPalette, bool included) {
    const Line& head = lines[i];
    if (head.words.size() < 3)
        throw PixError(head.pos, "expected '" + head.words[0] + " NAME WxH [options]'");
    PictureDef pic;
    pic.name = head.words[1];
    pic.pos = head.pos;
    pic.kind = head.words[0] == "picture" ? PictureKind::Output
               : head.words[0] == "piece" ? PictureKind::Piece
                                          : PictureKind::Preview;
    pic.included = included;
    pic.palette = defaultPalette;
    if (!validName(pic.name)) throw PixError(head.pos, "bad picture name '" + pic.name + "'");
    parseSize(head.words[2], head.pos, pic.width, pic.height);
    for (std::size_t w = 3; w < head.words.size(); w += 2) {
        if (w + 1 >= head.words.size())
            throw PixError(head.pos, "option '" + head.words[w] + "' needs a value");
        const std::string& opt = head.words[w];
        const std::string& value = head.words[w + 1];
        if (opt == "cells") {
            parseSize(value, head.pos, pic.cellWidth, pic.cellHeight);
            if (pic.width % pic.cellWidth != 0 || pic.height % pic.cellHeight != 0) {
                throw PixError(head.pos, "cells " + value + " do not divide the picture size");
            }
        } else if (opt == "palette") {
            pic.palette = value;
        } else if (opt == "alias") {
            pic.aliases.push_back(value);
        } else {
            throw PixError(head.pos, "unknown picture option '" + opt + "'");
        }
    }
    for (++i; i < lines.size(); ++i) {
        const Line& line = lines[i];
        std::vector<std::string> words = line.words;
        if (words[0] == "end" && words.size() == 1) {
            for (const auto& alias : pic.aliases) {
                if (!validName(alias)) throw PixError(head.pos, "bad alias '" + alias + "'");
            }
            document_.addPicture(pic);
            return i + 1;
        }
        if (words[0] == "alias") {
            for (std::size_t w = 1; w < words.size(); ++w)
                pic.aliases.push_back(words[w]);
            continue;
        }
        OpDef op;
        op.pos = line.pos;
        if (words[0] == "in") {
            if (words.size() < 3) throw PixError(line.pos, "expected 'in A-B OPERATION ...'");
            if (pic.cellWidth == 0) throw PixError(line.pos, "'in' needs a picture with cells");
            const std::string& range = words[1];
            const auto dash = range.find('-', 1);
            op.firstCell = parseInt(range.substr(0, dash), line.pos, "a cell");
            op.lastCell = dash == std::string::npos ? op.firstCell
                                                    : parseInt(range.substr(dash + 1), line.pos, "a cell");
            const int cells = pic.columns() * pic.rowsOfCells();
            if (op.firstCell < 0 || op.lastCell < op.firstCell || op.lastCell >= cells) {
                throw PixError(line.pos, "cell range '" + range + "' outside 0-" + std::to_string(cells - 1));
            }
            words.erase(words.begin(), words.begin() + 2);
        }
        if (OPS.count(words[0]) == 0) throw PixError(line.pos, "unknown operation '" + words[0] + "'");
        if (words[0] == "cell" && pic.cellWidth == 0)
            throw PixError(line.pos, "'cell' needs a picture with cells");
        op.keyword = words[0];
        op.args.assign(words.begin() + 1, words.end());
        pic.ops.push_back(op);
    }
    throw PixError(head.pos, "picture '" + pic.name + "' has no 'end'");
}

}  // namespace pix

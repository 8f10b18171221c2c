#pragma once

#include <string>
#include <vector>

#include "tools/pix/PixError.h"

namespace pix {

// A hand-drawn grid of palette letters, one character per pixel.
struct GridDef {
    std::string name;
    SourcePos pos;
    std::string palette;  // checked against this palette when set
    std::vector<std::string> rows;
    std::vector<int> rowLines;

    int width() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
    int height() const { return static_cast<int>(rows.size()); }
};

// One drawing operation of a picture: its keyword, its words, and the cells it repeats over.
struct OpDef {
    std::string keyword;
    std::vector<std::string> args;
    SourcePos pos;
    int firstCell = -1;  // "in A-B": the op runs once per cell A..B
    int lastCell = -1;
};

enum class PictureKind {
    Output,   // written as NAME.png
    Piece,    // only drawn into other pictures
    Preview,  // shown on the contact sheet, never written
};

// A picture, piece or preview block: its size, cells, palette and drawing operations.
struct PictureDef {
    std::string name;
    SourcePos pos;
    PictureKind kind = PictureKind::Output;
    int width = 0;
    int height = 0;
    int cellWidth = 0;  // 0: not a sheet of cells
    int cellHeight = 0;
    std::string palette;
    std::vector<std::string> aliases;  // further file names for the same picture
    std::vector<OpDef> ops;
    bool included = false;  // defined in an included file: never written

    int columns() const { return cellWidth > 0 ? width / cellWidth : 0; }
    int rowsOfCells() const { return cellHeight > 0 ? height / cellHeight : 0; }
};

// A font a source names for its text operations.
struct FontDef {
    std::string name;
    std::string file;  // as written; resolved against the font folder or the source folder
    std::string sourceDir;
    SourcePos pos;
};

}  // namespace pix

#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tools/pix/Definitions.h"
#include "tools/pix/Palette.h"

namespace pix {

// Everything a source file and its includes define, by name.
class Document {
public:
    void addPalette(const Palette& palette);
    void addGrid(const GridDef& grid);
    void addPicture(const PictureDef& picture);
    void addFont(const FontDef& font);
    void addFileRead(const std::string& path) { filesRead_.push_back(path); }

    const Palette* palette(const std::string& name) const;
    const GridDef* grid(const std::string& name) const;
    const PictureDef* picture(const std::string& name) const;
    const FontDef* font(const std::string& name) const;

    // Pictures in definition order.
    const std::vector<PictureDef>& pictures() const { return pictures_; }
    const std::vector<std::string>& filesRead() const { return filesRead_; }

    // Checks what can be checked before drawing: grid letters against their palettes,
    // palettes named by pictures and grids.
    void validate() const;

private:
    void claimName(const std::string& name, const SourcePos& pos);

    std::map<std::string, Palette> palettes_;
    std::map<std::string, GridDef> grids_;
    std::vector<PictureDef> pictures_;
    std::map<std::string, std::size_t> pictureIndex_;
    std::map<std::string, FontDef> fonts_;
    std::map<std::string, SourcePos> names_;
    std::vector<std::string> filesRead_;
};

}  // namespace pix

#include "tools/pix/Document.h"

namespace pix {

void Document::claimName(const std::string& name, const SourcePos& pos) {
    auto it = names_.find(name);
    if (it != names_.end()) {
        throw PixError(pos, "'" + name + "' is already defined at " + it->second.str());
    }
    names_.emplace(name, pos);
}

void Document::addPalette(const Palette& palette) {
    claimName(palette.name(), palette.pos());
    palettes_.emplace(palette.name(), palette);
}

void Document::addGrid(const GridDef& grid) {
    claimName(grid.name, grid.pos);
    grids_.emplace(grid.name, grid);
}

void Document::addPicture(const PictureDef& picture) {
    claimName(picture.name, picture.pos);
    for (const auto& alias : picture.aliases)
        claimName(alias, picture.pos);
    pictureIndex_.emplace(picture.name, pictures_.size());
    pictures_.push_back(picture);
}

void Document::addFont(const FontDef& font) {
    // The same font under the same name in two files that meet through includes is no clash.
    auto same = fonts_.find(font.name);
    if (same != fonts_.end() && same->second.file == font.file) return;
    claimName(font.name, font.pos);
    fonts_.emplace(font.name, font);
}

const Palette* Document::palette(const std::string& name) const {
    auto it = palettes_.find(name);
    return it == palettes_.end() ? nullptr : &it->second;
}

const GridDef* Document::grid(const std::string& name) const {
    auto it = grids_.find(name);
    return it == grids_.end() ? nullptr : &it->second;
}

const PictureDef* Document::picture(const std::string& name) const {
    auto it = pictureIndex_.find(name);
    return it == pictureIndex_.end() ? nullptr : &pictures_[it->second];
}

const FontDef* Document::font(const std::string& name) const {
    auto it = fonts_.find(name);
    return it == fonts_.end() ? nullptr : &it->second;
}

void Document::validate() const {
    for (const auto& [name, g] : grids_) {
        if (g.palette.empty()) continue;
        const Palette* pal = palette(g.palette);
        if (pal == nullptr)
            throw PixError(g.pos, "grid '" + name + "' names unknown palette '" + g.palette + "'");
        for (std::size_t r = 0; r < g.rows.size(); ++r) {
            for (char letter : g.rows[r]) {
                if (!pal->has(letter)) {
                    throw PixError(SourcePos{g.pos.file, g.rowLines[r]},
                                   std::string("unknown palette letter '") + letter + "' in grid '" + name +
                                       "' (palette '" + g.palette + "')");
                }
            }
        }
    }
    for (const auto& p : pictures_) {
        if (!p.palette.empty() && palette(p.palette) == nullptr) {
            throw PixError(p.pos, "picture '" + p.name + "' names unknown palette '" + p.palette + "'");
        }
    }
}

}  // namespace pix

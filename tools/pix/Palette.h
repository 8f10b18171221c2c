#pragma once

#include <map>
#include <string>

#include "tools/pix/PixError.h"
#include "tools/pix/Rgba.h"

namespace pix {

// Letters of a grid mapped to colours. "." is transparent unless a palette says otherwise.
class Palette {
public:
    Palette(std::string name, SourcePos pos) : name_(std::move(name)), pos_(std::move(pos)) {}

    const std::string& name() const { return name_; }
    const SourcePos& pos() const { return pos_; }

    void set(char letter, Rgba colour) { colours_[letter] = colour; }
    bool find(char letter, Rgba& colour) const;
    bool has(char letter) const;
    const std::map<char, Rgba>& colours() const { return colours_; }

    // "#rrggbb" or "#rrggbbaa"; false when the text is no such colour.
    static bool parseHex(const std::string& text, Rgba& colour);

private:
    std::string name_;
    SourcePos pos_;
    std::map<char, Rgba> colours_;
};

}  // namespace pix

#pragma once

#include <string>
#include <vector>

#include "tools/pix/Definitions.h"
#include "tools/pix/Palette.h"

namespace pix {

// Reads the words of one operation. A number may be written "A>B": in an "in" range it goes from A
// in the first cell to B in the last (rounded), elsewhere it is A. A name may be written "a|b|c":
// in an "in" range the cells take the names in turn.
class OpArgs {
public:
    OpArgs(const OpDef& op, double progress, int step) : op_(op), progress_(progress), step_(step) {}

    std::size_t size() const { return op_.args.size(); }
    const SourcePos& pos() const { return op_.pos; }
    void expect(std::size_t minimum, const std::string& usage) const;

    const std::string& word(std::size_t i) const;
    int number(std::size_t i) const;
    int numberText(const std::string& text) const;
    void point(std::size_t i, int& x, int& y) const;
    void pointText(const std::string& text, int& x, int& y) const;
    // A palette letter, "#rrggbb[aa]" or "none"; a suffix "@N" sets the alpha (0-255).
    Rgba colour(std::size_t i, const Palette& palette) const;
    Rgba colourText(const std::string& text, const Palette& palette) const;
    std::string name(std::size_t i) const;

    [[noreturn]] void fail(const std::string& message) const;

private:
    const OpDef& op_;
    double progress_;
    int step_;
};

}  // namespace pix

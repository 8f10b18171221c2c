#include "tools/pix/OpArgs.h"

#include <charconv>
#include <cmath>

namespace pix {

namespace {
bool toInt(const std::string& text, int& value) {
    if (text.empty()) return false;
    const char* begin = text.data();
    if (*begin == '+') ++begin;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end;
}
}  // namespace

void OpArgs::fail(const std::string& message) const {
    throw PixError(op_.pos, op_.keyword + ": " + message);
}

void OpArgs::expect(std::size_t minimum, const std::string& usage) const {
    if (op_.args.size() < minimum) fail("too few values; usage: " + op_.keyword + " " + usage);
}

const std::string& OpArgs::word(std::size_t i) const {
    if (i >= op_.args.size()) fail("missing value " + std::to_string(i + 1));
    return op_.args[i];
}

int OpArgs::numberText(const std::string& text) const {
    const auto arrow = text.find('>');
    int from = 0;
    if (arrow == std::string::npos) {
        if (!toInt(text, from)) fail("expected a whole number, got '" + text + "'");
        return from;
    }
    int to = 0;
    if (!toInt(text.substr(0, arrow), from) || !toInt(text.substr(arrow + 1), to)) {
        fail("expected 'A>B' with whole numbers, got '" + text + "'");
    }
    return static_cast<int>(std::lround(from + (to - from) * progress_));
}

int OpArgs::number(std::size_t i) const {
    return numberText(word(i));
}

void OpArgs::pointText(const std::string& text, int& x, int& y) const {
    const auto comma = text.find(',');
    if (comma == std::string::npos) fail("expected a point X,Y, got '" + text + "'");
    x = numberText(text.substr(0, comma));
    y = numberText(text.substr(comma + 1));
}

void OpArgs::point(std::size_t i, int& x, int& y) const {
    pointText(word(i), x, y);
}

Rgba OpArgs::colourText(const std::string& text, const Palette& palette) const {
    std::string body = text;
    int alpha = -1;
    const auto at = text.find('@');
    if (at != std::string::npos && at > 0) {
        body = text.substr(0, at);
        alpha = numberText(text.substr(at + 1));
        if (alpha < 0 || alpha > 255) fail("alpha out of 0-255 in '" + text + "'");
    }
    Rgba c;
    if (body == "none" || body == "transparent") {
        c = Rgba{};
    } else if (body.size() == 1) {
        if (!palette.find(body[0], c))
            fail("unknown palette letter '" + body + "' (palette '" + palette.name() + "')");
    } else if (!Palette::parseHex(body, c)) {
        fail("bad colour '" + text + "'");
    }
    if (alpha >= 0) c.a = static_cast<std::uint8_t>(c.a * alpha / 255);
    return c;
}

Rgba OpArgs::colour(std::size_t i, const Palette& palette) const {
    return colourText(word(i), palette);
}

std::string OpArgs::name(std::size_t i) const {
    const std::string& text = word(i);
    std::vector<std::string> names;
    std::size_t start = 0;
    while (true) {
        const auto bar = text.find('|', start);
        names.push_back(text.substr(start, bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return names[static_cast<std::size_t>(step_) % names.size()];
}

}  // namespace pix

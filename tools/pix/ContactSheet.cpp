#include "tools/pix/ContactSheet.h"

#include <algorithm>

#include "tools/pix/Painter.h"

namespace pix {

namespace {

const Rgba kBackground{32, 30, 40, 255};
const Rgba kCheckA{58, 56, 70, 255};
const Rgba kCheckB{70, 68, 84, 255};
const Rgba kLabel{235, 228, 210, 255};
constexpr int kPad = 10;
constexpr int kLabelHeight = 16;

Image fitted(const Image& src, int maxWidth) {
    const int longest = std::max(src.width(), src.height());
    Image img = longest <= 48 ? src.scaled(4) : longest <= 160 ? src.scaled(2) : src;
    while (img.width() > maxWidth)
        img = img.halved();
    return img;
}

}  // namespace

Image ContactSheet::compose(TextRenderer& text, const std::string& labelFont) const {
    struct Placed {
        Image image;
        Image label;
        int x, y;
    };
    std::vector<Placed> placed;
    int x = kPad, y = kPad, rowHeight = 0;
    for (const Item& item : items_) {
        Image img = fitted(item.image, width_ - 2 * kPad);
        Image label = labelFont.empty() ? Image() : text.render(labelFont, 12, item.name, kLabel);
        const int w = std::max(img.width(), label.width());
        const int h = img.height() + kLabelHeight + 4;
        if (x + w > width_ - kPad && x > kPad) {
            x = kPad;
            y += rowHeight + kPad;
            rowHeight = 0;
        }
        placed.push_back(Placed{img, label, x, y});
        x += w + kPad;
        rowHeight = std::max(rowHeight, h);
    }
    Image sheet(width_, y + rowHeight + kPad, kBackground);
    Painter p(sheet, Painter::Clip{0, 0, sheet.width(), sheet.height()});
    for (const Placed& item : placed) {
        for (int yy = 0; yy < item.image.height(); ++yy) {
            for (int xx = 0; xx < item.image.width(); ++xx) {
                p.put(item.x + xx, item.y + yy, ((xx / 8 + yy / 8) % 2 == 0) ? kCheckA : kCheckB);
            }
        }
        p.image(item.image, item.x, item.y);
        p.image(item.label, item.x, item.y + item.image.height() + 2);
    }
    return sheet;
}

}  // namespace pix

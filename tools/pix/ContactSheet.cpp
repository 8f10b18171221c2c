#include "tools/pix/ContactSheet.h"

#include <algorithm>

#include "tools/pix/Painter.h"

namespace pix {

namespace {

const Rgba BACKGROUND{32, 30, 40, 255};
const Rgba CHECK_A{58, 56, 70, 255};
const Rgba CHECK_B{70, 68, 84, 255};
const Rgba LABEL{235, 228, 210, 255};
constexpr int PAD = 10;
constexpr int LABEL_HEIGHT = 16;

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
    int x = PAD, y = PAD, rowHeight = 0;
    for (const Item& item : items_) {
        Image img = fitted(item.image, width_ - 2 * PAD);
        Image label = labelFont.empty() ? Image() : text.render(labelFont, 12, item.name, LABEL);
        const int w = std::max(img.width(), label.width());
        const int h = img.height() + LABEL_HEIGHT + 4;
        if (x + w > width_ - PAD && x > PAD) {
            x = PAD;
            y += rowHeight + PAD;
            rowHeight = 0;
        }
        placed.push_back(Placed{img, label, x, y});
        x += w + PAD;
        rowHeight = std::max(rowHeight, h);
    }
    Image sheet(width_, y + rowHeight + PAD, BACKGROUND);
    Painter p(sheet, Painter::Clip{0, 0, sheet.width(), sheet.height()});
    for (const Placed& item : placed) {
        for (int yy = 0; yy < item.image.height(); ++yy) {
            for (int xx = 0; xx < item.image.width(); ++xx) {
                p.put(item.x + xx, item.y + yy, ((xx / 8 + yy / 8) % 2 == 0) ? CHECK_A : CHECK_B);
            }
        }
        p.image(item.image, item.x, item.y);
        p.image(item.label, item.x, item.y + item.image.height() + 2);
    }
    return sheet;
}

}  // namespace pix

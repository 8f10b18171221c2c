#pragma once

#include <string>
#include <vector>

#include "tools/pix/Image.h"
#include "tools/pix/TextRenderer.h"

namespace pix {

// One overview picture of many pictures, each over a checkerboard with its name below it.
// Small pictures are enlarged and very wide ones halved so that everything can be looked over at once.
class ContactSheet {
public:
    explicit ContactSheet(int width = 1920) : width_(width) {}

    void add(const std::string& name, const Image& image) { items_.push_back(Item{name, image}); }
    std::size_t size() const { return items_.size(); }

    // labelFont may be empty: then the names are left out.
    Image compose(TextRenderer& text, const std::string& labelFont) const;

private:
    struct Item {
        std::string name;
        Image image;
    };

    int width_;
    std::vector<Item> items_;
};

}  // namespace pix

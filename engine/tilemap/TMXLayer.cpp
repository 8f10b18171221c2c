#include "engine/tilemap/TMXLayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/render/Renderer.h"

namespace engine {

namespace {

enum : uint8_t { kFlipH = 1, kFlipV = 2, kFlipD = 4, kFlips = 7, kOpaque = 8 };

// v rounded down (or up) to an int within [lo, hi]; NaN gives lo.
int clampedIndex(float v, bool roundUp, int lo, int hi) {
    if (!(v >= static_cast<float>(lo))) return lo;
    if (v >= static_cast<float>(hi)) return hi;
    return static_cast<int>(roundUp ? std::ceil(v) : std::floor(v));
}

float snap(float v) {
    return std::floor(v + 0.5f);
}

// Corners in the renderer's order (bottom-left, bottom-right, top-right, top-left) as points of a
// unit square with y down.
constexpr float kUnitCorners[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};

// For each flip combination and each corner of the tile picture, the corner of the cell that shows
// it. The map editor applies the diagonal flip (swap x and y) first, then horizontal, then vertical;
// a cell point therefore shows the picture point found by undoing them in the opposite order.
// `mirrorX`/`mirrorY`: the cell's corners are given on screen and the layer is drawn mirrored.
// Moving the picture's corners (rather than its texture coordinates) keeps a diagonally flipped tile
// a turned quad, which the renderer draws texel-exact.
void cornerTable(bool mirrorX, bool mirrorY, int table[8][4]) {
    for (uint8_t flip = 0; flip < 8; ++flip)
        for (int cell = 0; cell < 4; ++cell) {
            float x = kUnitCorners[cell][0], y = kUnitCorners[cell][1];
            if (mirrorX) x = 1.0f - x;
            if (mirrorY) y = 1.0f - y;
            if (flip & kFlipV) y = 1.0f - y;
            if (flip & kFlipH) x = 1.0f - x;
            if (flip & kFlipD) std::swap(x, y);
            for (int picture = 0; picture < 4; ++picture)
                if (kUnitCorners[picture][0] == x && kUnitCorners[picture][1] == y)
                    table[flip][picture] = cell;
        }
}

}  // namespace

TMXLayer* TMXLayer::create(const TMXLayerInfo& layer, const Size& mapTileSize,
                           const std::vector<TMXTilesetInfo>& tilesets,
                           const std::vector<Texture2D*>& textures) {
    auto* node = new TMXLayer();
    if (!node->initWithLayerInfo(layer, mapTileSize, tilesets, textures)) {
        delete node;
        return nullptr;
    }
    node->autorelease();
    return node;
}

bool TMXLayer::initWithLayerInfo(const TMXLayerInfo& layer, const Size& mapTileSize,
                                 const std::vector<TMXTilesetInfo>& tilesets,
                                 const std::vector<Texture2D*>& textures) {
    if (!Node::init()) return false;
    layerName_ = layer.name;
    columns_ = layer.columns;
    rows_ = layer.rows;
    layerSize_ = Size(static_cast<float>(columns_), static_cast<float>(rows_));
    mapTileSize_ = mapTileSize;
    gids_ = layer.gids;
    properties_ = layer.properties;
    setOpacity(layer.opacity);
    setContentSize(Size(layerSize_.width * mapTileSize.width, layerSize_.height * mapTileSize.height));

    // Each cell finds its tileset: the largest first gid not above its gid.
    std::vector<int> slotOfTileset(tilesets.size(), -1);
    cells_.assign(gids_.size(), Cell());
    std::size_t outside = 0;
    for (std::size_t i = 0; i < gids_.size(); ++i) {
        uint32_t gid = gids_[i] & TMXFlippedMask;
        if (gid == 0) continue;
        int owner = TMXTilesetInfo::indexForGid(tilesets, gid);
        if (owner < 0 || !textures[owner] || !tilesets[owner].containsGid(gid)) {
            ++outside;
            continue;
        }
        if (slotOfTileset[owner] < 0) {
            if (slots_.size() >= kNoTile) continue;
            slotOfTileset[owner] = static_cast<int>(slots_.size());
            slots_.push_back(Slot{tilesets[owner], textures[owner]});
        }
        int slot = slotOfTileset[owner];
        if (mainSlot_ < 0 || tilesets[owner].firstGid > slots_[mainSlot_].tileset.firstGid) mainSlot_ = slot;
        Rect rect = tilesets[owner].getRectForGid(gid);
        uint32_t flags = gids_[i];
        cells_[i].u = rect.origin.x;
        cells_[i].v = rect.origin.y;
        cells_[i].slot = static_cast<uint16_t>(slot);
        const std::vector<bool>& opaque = tilesets[owner].opaqueTiles;
        const uint32_t local = gid - tilesets[owner].firstGid;
        cells_[i].flip = static_cast<uint8_t>(((flags & TMXTileHorizontalFlag) ? kFlipH : 0) |
                                              ((flags & TMXTileVerticalFlag) ? kFlipV : 0) |
                                              ((flags & TMXTileDiagonalFlag) ? kFlipD : 0) |
                                              (local < opaque.size() && opaque[local] ? kOpaque : 0));
    }
    if (outside > 0)
        std::fprintf(stderr,
                     "TMX layer '%s': %zu tiles name no tile of a tileset picture; they are left empty\n",
                     layerName_.c_str(), outside);
    if (slots_.empty()) return false;
    for (const Slot& slot : slots_) {
        float reach = std::max(slot.tileset.tileSize.width, slot.tileset.tileSize.height);
        overhang_.x = std::max(overhang_.x, reach - mapTileSize.width);
        overhang_.y = std::max(overhang_.y, reach - mapTileSize.height);
    }
    return true;
}

const TMXTilesetInfo* TMXLayer::getTileSet() const {
    return mainSlot_ < 0 ? nullptr : &slots_[mainSlot_].tileset;
}

uint32_t TMXLayer::getTileGIDAt(const Vec2& tileCoordinate, TMXTileFlags* flags) const {
    if (flags) *flags = static_cast<TMXTileFlags>(0);
    if (!(tileCoordinate.x >= 0.0f && tileCoordinate.y >= 0.0f && tileCoordinate.x < layerSize_.width &&
          tileCoordinate.y < layerSize_.height))
        return 0;
    std::size_t index = static_cast<std::size_t>(tileCoordinate.y) * static_cast<std::size_t>(columns_) +
                        static_cast<std::size_t>(tileCoordinate.x);
    uint32_t value = gids_[index];
    if (flags) *flags = static_cast<TMXTileFlags>(value & TMXFlippedAll);
    return value & TMXFlippedMask;
}

Vec2 TMXLayer::getPositionAt(const Vec2& tileCoordinate) const {
    return Vec2(std::floor(tileCoordinate.x) * mapTileSize_.width,
                (layerSize_.height - std::floor(tileCoordinate.y) - 1.0f) * mapTileSize_.height);
}

Value TMXLayer::getProperty(const std::string& name) const {
    auto found = properties_.find(name);
    return found == properties_.end() ? Value() : found->second;
}

bool TMXLayer::visibleRange(const Renderer& renderer, const DrawContext& context, Range& range) const {
    // The screen's corners, taken back through the perspective of the layer's depth and through its
    // transform, bound the part of the layer that can show.
    const Size& screen = renderer.getDesignSize();
    const Vec2 centre(screen.width * 0.5f, screen.height * 0.5f);
    const float scale = renderer.perspectiveScale(context.z);
    const AffineTransform toLocal = context.transform.inverse();
    const Vec2 corners[4] = {{0, 0}, {screen.width, 0}, {screen.width, screen.height}, {0, screen.height}};
    float minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    for (const Vec2& corner : corners) {
        Vec2 local = toLocal.apply(centre + (corner - centre) / scale);
        minX = std::min(minX, local.x);
        maxX = std::max(maxX, local.x);
        minY = std::min(minY, local.y);
        maxY = std::max(maxY, local.y);
    }
    // Cell c spans [c·w, (c + 1)·w): it shows if it starts before the right edge and ends after the
    // left one. Tiles larger than a cell reach right and up beyond it.
    range.colMin = clampedIndex((minX - overhang_.x) / mapTileSize_.width, false, 0, columns_);
    range.colMax = clampedIndex(maxX / mapTileSize_.width, true, 0, columns_) - 1;
    int upMin = clampedIndex((minY - overhang_.y) / mapTileSize_.height, false, 0, rows_);
    int upMax = clampedIndex(maxY / mapTileSize_.height, true, 0, rows_) - 1;
    range.rowMin = rows_ - 1 - upMax;
    range.rowMax = rows_ - 1 - upMin;
    return range.colMin <= range.colMax && range.rowMin <= range.rowMax;
}

void TMXLayer::draw(Renderer& renderer, const DrawContext& context) {
    drawnTiles_ = 0;
    if (slots_.empty() || !renderer.isDepthVisible(context.z)) return;
    const AffineTransform& t = context.transform;
    if (t.a * t.d - t.b * t.c == 0.0f) return;
    Frame frame;
    frame.color = Color4B(displayedColor_, displayedOpacity_);
    if (frame.color.a == 0 || !visibleRange(renderer, context, frame.range)) return;

    // Unturned layers are drawn in screen space with corners snapped to whole pixels:
    // screen x = ax·x + bx and screen y = ay·y + by.
    frame.onScreenGrid = t.isAxisAligned();
    const float scale = renderer.perspectiveScale(context.z);
    const Size& screen = renderer.getDesignSize();
    frame.ax = t.a * scale;
    frame.bx = screen.width * 0.5f + (t.tx - screen.width * 0.5f) * scale;
    frame.ay = t.d * scale;
    frame.by = screen.height * 0.5f + (t.ty - screen.height * 0.5f) * scale;
    cornerTable(frame.onScreenGrid && frame.ax < 0.0f, frame.onScreenGrid && frame.ay < 0.0f, frame.shownAt);
    const DrawContext screenSpace;
    frame.context = frame.onScreenGrid ? &screenSpace : &context;

    // Fully opaque tiles of a fully opaque layer are copied without blending, which is much cheaper
    // in software; they go first, then the tiles with transparent pixels. Cells never overlap unless
    // some tiles are larger than a cell: then everything is drawn in file order.
    const bool copyOpaque = frame.color.a == 255 && overhang_ == Vec2::ZERO;
    for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
        if (copyOpaque) {
            drawCells(renderer, frame, slot, kOpaque, kOpaque, BlendFunc::DISABLE);
            drawCells(renderer, frame, slot, kOpaque, 0, BlendFunc::ALPHA_NON_PREMULTIPLIED);
        } else {
            drawCells(renderer, frame, slot, 0, 0, BlendFunc::ALPHA_NON_PREMULTIPLIED);
        }
    }
}

void TMXLayer::drawCells(Renderer& renderer, const Frame& frame, std::size_t slot, uint8_t mask,
                         uint8_t match, const BlendFunc& blend) {
    Texture2D* texture = slots_[slot].texture.get();
    const Size& source = slots_[slot].tileset.tileSize;
    const Range& range = frame.range;
    Vec2 cell[4];
    Vec2 corners[4];
    Vec2 texels[4];
    for (int row = range.rowMin; row <= range.rowMax; ++row) {
        const float y0 = static_cast<float>(rows_ - 1 - row) * mapTileSize_.height;
        const Cell* cells =
            cells_.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_);
        for (int col = range.colMin; col <= range.colMax; ++col) {
            const Cell& tile = cells[col];
            if (tile.slot != slot || (tile.flip & mask) != match) continue;
            const float x0 = static_cast<float>(col) * mapTileSize_.width;
            // A diagonal flip turns the tile: its quad is as wide as the picture's tile is high.
            const bool turned = (tile.flip & kFlipD) != 0;
            float left = x0, right = x0 + (turned ? source.height : source.width);
            float bottom = y0, top = y0 + (turned ? source.width : source.height);
            if (frame.onScreenGrid) {
                const float sx0 = snap(frame.ax * left + frame.bx), sx1 = snap(frame.ax * right + frame.bx);
                const float sy0 = snap(frame.ay * bottom + frame.by), sy1 = snap(frame.ay * top + frame.by);
                if (sx0 == sx1 || sy0 == sy1) continue;
                left = std::min(sx0, sx1);
                right = std::max(sx0, sx1);
                bottom = std::min(sy0, sy1);
                top = std::max(sy0, sy1);
            }
            cell[0] = Vec2(left, bottom);
            cell[1] = Vec2(right, bottom);
            cell[2] = Vec2(right, top);
            cell[3] = Vec2(left, top);
            const int* shownAt = frame.shownAt[tile.flip & kFlips];
            for (int k = 0; k < 4; ++k) {
                corners[k] = cell[shownAt[k]];
                texels[k] = Vec2(tile.u + kUnitCorners[k][0] * source.width,
                                 tile.v + kUnitCorners[k][1] * source.height);
            }
            renderer.drawQuad(*frame.context, corners, texture, texels, frame.color, blend);
            ++drawnTiles_;
        }
    }
}

}  // namespace engine

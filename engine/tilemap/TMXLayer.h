#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/BlendFunc.h"
#include "engine/base/RefPtr.h"
#include "engine/base/Value.h"
#include "engine/render/Texture2D.h"
#include "engine/scene/Node.h"
#include "engine/tilemap/TMXMapInfo.h"

namespace engine {

// One tile layer of a map. Tile (col, row), row 0 at the top, is drawn with its lower-left corner at
// (col × tileW, (rows − row − 1) × tileH) in the layer's space. Only tiles on screen are drawn: the
// screen rectangle is taken back through the perspective and the node transform to a range of
// columns and rows. Tiles of one tileset are drawn one after another so the renderer sends them in
// one batch; when the layer is not turned, tile corners are snapped to whole screen pixels so that
// neighbouring tiles meet without gaps at any scale.
class TMXLayer : public Node {
public:
    // Null when no tile of the layer belongs to a tileset with a picture (nothing to draw).
    // `textures` runs parallel to `tilesets` (null where a tileset has no picture).
    static TMXLayer* create(const TMXLayerInfo& layer, const Size& mapTileSize,
                            const std::vector<TMXTilesetInfo>& tilesets,
                            const std::vector<Texture2D*>& textures);

    const std::string& getLayerName() const { return layerName_; }
    // Columns and rows.
    const Size& getLayerSize() const { return layerSize_; }
    const Size& getMapTileSize() const { return mapTileSize_; }
    // The layer's main tileset: the one with the highest first gid that any of its tiles uses.
    const TMXTilesetInfo* getTileSet() const;

    // Gid at (col, row), row 0 at the top, flag bits removed (and returned through `flags`);
    // 0 outside the layer.
    uint32_t getTileGIDAt(const Vec2& tileCoordinate, TMXTileFlags* flags = nullptr) const;
    // Lower-left corner of a tile in the layer's space.
    Vec2 getPositionAt(const Vec2& tileCoordinate) const;
    // Every tile value, flag bits included, row by row from the top left.
    const std::vector<uint32_t>& getTiles() const { return gids_; }

    const ValueMap& getProperties() const { return properties_; }
    Value getProperty(const std::string& name) const;

    void draw(Renderer& renderer, const DrawContext& context) override;
    // Tiles sent to the renderer by the last draw (what culling left), for tests and statistics.
    int getDrawnTileCount() const { return drawnTiles_; }

private:
    static constexpr uint16_t kNoTile = 0xFFFF;

    // A tileset the layer uses, with its picture.
    struct Slot {
        TMXTilesetInfo tileset;
        RefPtr<Texture2D> texture;
    };
    // Where a cell's picture comes from, worked out once at load.
    struct Cell {
        float u = 0.0f, v = 0.0f;  // top-left texel of the tile in its picture
        uint16_t slot = kNoTile;
        uint8_t flip = 0;  // bit 0 horizontal, bit 1 vertical, bit 2 diagonal flip; bit 3 opaque
    };
    // Visible tiles: columns left to right, rows top (0) to bottom.
    struct Range {
        int colMin = 0, colMax = -1, rowMin = 0, rowMax = -1;
    };
    // What every tile of one draw shares.
    struct Frame {
        Range range;
        Color4B color;
        bool onScreenGrid = false;  // corners snapped in screen space (the layer is not turned)
        float ax = 1, bx = 0, ay = 1, by = 0;
        int shownAt[8][4] = {};  // by flip combination: the cell corner showing each picture corner
        const DrawContext* context = nullptr;
    };

    TMXLayer() = default;
    bool initWithLayerInfo(const TMXLayerInfo& layer, const Size& mapTileSize,
                           const std::vector<TMXTilesetInfo>& tilesets,
                           const std::vector<Texture2D*>& textures);
    bool visibleRange(const Renderer& renderer, const DrawContext& context, Range& range) const;
    // Draws the visible cells of one tileset whose flags, masked, equal `match`.
    void drawCells(Renderer& renderer, const Frame& frame, std::size_t slot, uint8_t mask, uint8_t match,
                   const BlendFunc& blend);

    std::string layerName_;
    Size layerSize_;
    Size mapTileSize_;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<uint32_t> gids_;
    std::vector<Cell> cells_;
    std::vector<Slot> slots_;
    int mainSlot_ = -1;
    Vec2 overhang_;
    int drawnTiles_ = 0;  // how far the largest tile reaches beyond its cell (right and up)
    ValueMap properties_;
};

}  // namespace engine

#pragma once

#include "engine/render/Texture2D.h"
#include "engine/tilemap/TMXTilesetInfo.h"

struct SDL_Surface;

namespace engine {

// Loads the picture of a tileset for drawing: through the shared texture cache, with the tileset's
// transparent colour keyed out, nearest-filtered. Also records on the tileset the picture's real
// size and which of its tiles are fully opaque (those can be copied without blending).
class TMXTilesetPicture {
public:
    // Null if the picture cannot be read.
    static Texture2D* load(TMXTilesetInfo& tileset);

private:
    static void findOpaqueTiles(SDL_Surface* argb, TMXTilesetInfo& tileset);
};

}  // namespace engine

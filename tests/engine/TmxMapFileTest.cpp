// Tile layer encodings give one grid, and broken map files are refused with a message naming them.
#include <string>
#include <vector>

#include "engine/scene/TMXTiledMap.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

using namespace engine;
using testsupport::projectTestFile;
using testsupport::readFile;
using testsupport::TempFolder;
using testsupport::writeFile;

namespace {

// The grid every grid_*.tmx fixture stores (8 × 3, row by row from the top left, flag bits included).
const std::vector<uint32_t> GRID = {
    1u, 0x80000001u, 0x40000001u, 0xC0000001u, 0x20000001u, 0xA0000001u, 0x60000001u, 0xE0000001u,
    1u, 2u,          3u,          4u,          0u,          4u,          3u,          2u,
    0u, 0u,          2u,          0u,          0x80000003u, 0u,          4u,          1u,
};

// grid_csv.tmx with its <data> element replaced, written as `name` into `folder` next to a copy of
// the tileset picture.
std::string gridMapWithData(const TempFolder& folder, const std::string& data, const std::string& name) {
    std::string text = readFile(projectTestFile("engine/data/tmx/grid_csv.tmx"));
    std::size_t start = text.find("<data");
    std::size_t end = text.find("</data>") + 7;
    text.replace(start, end - start, data);
    writeFile(folder / name, text);
    writeFile(folder / "quads.png", readFile(projectTestFile("engine/data/tmx/quads.png")));
    return folder / name;
}

struct Broken {
    const char* what;
    std::string data;  // the <data> element, or a whole file when `wholeFile` is set
    const char* expectInMessage;
    bool wholeFile = false;
};

std::string csvOf(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? ",1" : "1");
    return text;
}

}  // namespace

class TmxMapFileTest : public EngineFixture {};

TEST_F(TmxMapFileTest, TmxEveryLayerEncodingGivesTheSameGrid) {
    for (const char* encoding : {"xml", "csv", "base64", "zlib", "gzip"}) {
        SCOPED_TRACE(encoding);
        TMXTiledMap* map =
            TMXTiledMap::create(projectTestFile(std::string("engine/data/tmx/grid_") + encoding + ".tmx"));
        ASSERT_NE(map, nullptr);
        TMXLayer* grid = map->getLayer("grid");
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->getLayerSize(), Size(8, 3));
        EXPECT_EQ(grid->getTiles(), GRID);
    }
}

TEST_F(TmxMapFileTest, TmxMalformedFilesAreRefusedWithAMessage) {
    const Broken cases[] = {
        {"too few csv tiles", "<data encoding=\"csv\">" + csvOf(23) + "</data>", "23 tiles, expected 24"},
        {"too many csv tiles", "<data encoding=\"csv\">" + csvOf(25) + "</data>", "more than 24"},
        {"csv word", "<data encoding=\"csv\">" + csvOf(23) + ",x</data>", "bad csv"},
        {"csv gap", "<data encoding=\"csv\">1,," + csvOf(22) + "</data>", "bad csv"},
        {"csv beyond 32 bits", "<data encoding=\"csv\">4294967296," + csvOf(23) + "</data>", "bad csv"},
        {"xml tiles short", "<data><tile gid=\"1\"/></data>", "1 tiles, expected 24"},
        {"xml gid word", "<data><tile gid=\"one\"/></data>", "bad tile gid"},
        {"base64 alphabet", "<data encoding=\"base64\">AAAA@@@@</data>", "not valid base64"},
        {"base64 padding", "<data encoding=\"base64\">A===</data>", "not valid base64"},
        {"base64 too short", "<data encoding=\"base64\">AQAAAA==</data>", "4 bytes, expected 96"},
        // zlib stream of 96 zero bytes cut short, and one of 100 zero bytes.
        {"zlib truncated", "<data encoding=\"base64\" compression=\"zlib\">eJxjYKAtAA==</data>",
         "damaged zlib"},
        {"zlib too long", "<data encoding=\"base64\" compression=\"zlib\">eJxjYKA9AAAAZAAB</data>",
         "damaged zlib"},
        {"gzip garbage", "<data encoding=\"base64\" compression=\"gzip\">AAAAAAAAAAAA</data>",
         "damaged gzip"},
        {"zstd", "<data encoding=\"base64\" compression=\"zstd\">KLUv/SBgXQAAEAAAAQ==</data>", "'zstd'"},
        {"compressed csv", "<data encoding=\"csv\" compression=\"zlib\">1</data>", "compression 'zlib'"},
        {"unknown encoding", "<data encoding=\"hex\">00</data>", "unknown layer encoding 'hex'"},
        {"chunks", "<data encoding=\"csv\"><chunk x=\"0\" y=\"0\" width=\"8\" height=\"3\">1</chunk></data>",
         "chunks"},
        {"not xml", "<map width=\"8\"", "not well-formed", true},
        {"no map", "<?xml version=\"1.0\"?><tileset/>", "no <map>", true},
        {"zero width",
         "<map orientation=\"orthogonal\" width=\"0\" height=\"3\" tilewidth=\"8\" tileheight=\"8\"/>",
         "positive 'width'", true},
        {"isometric",
         "<map orientation=\"isometric\" width=\"8\" height=\"3\" tilewidth=\"8\" tileheight=\"8\"/>",
         "orientation 'isometric'", true},
        {"missing tsx",
         "<map width=\"8\" height=\"3\" tilewidth=\"8\" tileheight=\"8\"><tileset firstgid=\"1\" "
         "source=\"gone.tsx\"/></map>",
         "gone.tsx not found", true},
        {"missing picture",
         "<map width=\"1\" height=\"1\" tilewidth=\"8\" tileheight=\"8\"><tileset firstgid=\"1\" "
         "tilewidth=\"8\" tileheight=\"8\"><image source=\"gone.png\"/></tileset><layer name=\"a\" "
         "width=\"1\" "
         "height=\"1\"><data encoding=\"csv\">1</data></layer></map>",
         "gone.png", true},
    };
    TempFolder folder;
    int index = 0;
    for (const Broken& broken : cases) {
        SCOPED_TRACE(broken.what);
        // Each case has a file of its own: nothing read for one case can stand in for another.
        const std::string name = "broken" + std::to_string(index++) + ".tmx";
        std::string path = folder / name;
        if (broken.wholeFile) {
            writeFile(path, broken.data);
        } else {
            path = gridMapWithData(folder, broken.data, name);
        }
        testing::internal::CaptureStderr();
        TMXTiledMap* map = TMXTiledMap::create(path);
        std::string message = testing::internal::GetCapturedStderr();
        EXPECT_EQ(map, nullptr);
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find(broken.expectInMessage), std::string::npos) << message;
    }
    // The template itself is fine.
    EXPECT_NE(TMXTiledMap::create(
                  gridMapWithData(folder, "<data encoding=\"csv\">" + csvOf(24) + "</data>", "ok.tmx")),
              nullptr);
}

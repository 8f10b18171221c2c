// The assembled runtime tree holds every file that the game names by a fixed path (res/MANIFEST.txt).
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Runtime paths of the manifest: one a line, "#" starts a comment, blank lines skipped.
std::vector<std::string> manifestEntries() {
    std::vector<std::string> entries;
    std::ifstream in(QUORIN_RES_MANIFEST);
    std::string line;
    while (std::getline(in, line)) {
        const auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.pop_back();
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos) continue;
        entries.push_back(line.substr(start));
    }
    return entries;
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name;
    for (char c : info.param)
        name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    return name;
}

class ManifestFile : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST(Manifest, IsReadableAndWellFormed) {
    const auto entries = manifestEntries();
    ASSERT_FALSE(entries.empty()) << "cannot read " << QUORIN_RES_MANIFEST;
    std::set<std::string> seen;
    for (const auto& e : entries) {
        EXPECT_EQ(e.rfind("res/", 0), 0u) << e << ": paths start at the runtime root with res/";
        EXPECT_EQ(e.find(' '), std::string::npos) << e;
        EXPECT_TRUE(seen.insert(e).second) << e << " is listed twice";
    }
}

TEST_P(ManifestFile, ExistsInTheAssembledTree) {
    const fs::path path = fs::path(QUORIN_RUNTIME_DIR) / GetParam();
    ASSERT_TRUE(fs::is_regular_file(path)) << "missing from the runtime tree: " << GetParam();
    EXPECT_GT(fs::file_size(path), 0u) << GetParam() << " is empty";
    if (path.extension() == ".png") {
        SDL_Surface* image = IMG_Load(path.string().c_str());
        EXPECT_NE(image, nullptr) << GetParam() << " does not load: " << IMG_GetError();
        SDL_FreeSurface(image);
    }
}

INSTANTIATE_TEST_SUITE_P(Runtime, ManifestFile, ::testing::ValuesIn(manifestEntries()), testName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ManifestFile);

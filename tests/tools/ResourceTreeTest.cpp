// The assembled runtime tree holds every file that the game names by a fixed path (res/MANIFEST.txt).
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include "tests/support/Picture.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;

namespace {

// Runtime paths of the manifest: one a line, "#" starts a comment, blank lines skipped.
std::string manifestPath() {
    return testsupport::sourceDir() + "/res/MANIFEST.txt";
}

std::vector<std::string> manifestEntries() {
    std::vector<std::string> entries;
    std::ifstream in(manifestPath());
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

class ResourceTreeFileTest : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST(ResourceTreeManifestTest, IsReadableAndWellFormed) {
    const auto entries = manifestEntries();
    ASSERT_FALSE(entries.empty()) << "cannot read " << manifestPath();
    std::set<std::string> seen;
    for (const auto& e : entries) {
        EXPECT_EQ(e.rfind("res/", 0), 0u) << e << ": paths start at the runtime root with res/";
        EXPECT_EQ(e.find(' '), std::string::npos) << e;
        EXPECT_TRUE(seen.insert(e).second) << e << " is listed twice";
    }
}

TEST_P(ResourceTreeFileTest, ExistsInTheAssembledTree) {
    const fs::path path = fs::path(testsupport::runtimeDir()) / GetParam();
    ASSERT_TRUE(fs::is_regular_file(path)) << "missing from the runtime tree: " << GetParam();
    EXPECT_GT(fs::file_size(path), 0u) << GetParam() << " is empty";
    if (path.extension() == ".png") {
        EXPECT_TRUE(testsupport::Picture::fromFile(path.string()).loaded())
            << GetParam() << " does not load: " << IMG_GetError();
    }
}

// The build's clean-up of the runtime tree, run as the build runs it on a small tree of its own.
class ResourceTreePruneTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = folder_.path();
        res_ = root_ / "res";
    }

    static void touch(const fs::path& p) {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << "x";
    }
    // Runs the clean-up with the copied files and the picture lists given; returns its exit status.
    int prune(const std::vector<fs::path>& copied, const std::vector<std::vector<fs::path>>& lists) {
        std::ofstream expected(root_ / "expected.txt");
        for (const auto& p : copied)
            expected << p.string() << "\n";
        std::ofstream listOfLists(root_ / "lists.txt");
        for (std::size_t i = 0; i < lists.size(); ++i) {
            const fs::path list = root_ / ("pictures" + std::to_string(i) + ".list");
            listOfLists << list.string() << "\n";
            std::ofstream out(list);
            for (const auto& p : lists[i])
                out << p.string() << "\n";
        }
        listOfLists << (root_ / "never_written.list").string() << "\n";
        expected.close();
        listOfLists.close();
        return testsupport::runProgram(QUORIN_CMAKE, {"-D", "RES_DIR=" + res_.string(), "-D",
                                                      "EXPECTED=" + (root_ / "expected.txt").string(), "-D",
                                                      "LISTS=" + (root_ / "lists.txt").string(), "-P",
                                                      testsupport::sourceDir() + "/res/PruneStale.cmake"})
            .exitCode;
    }

    testsupport::TempFolder folder_;
    fs::path root_, res_;
};

TEST_F(ResourceTreePruneTest, FilesWithoutASourceGoAndAudioIsLeftAlone) {
    touch(res_ / "data/kept.data");
    touch(res_ / "data/old/gone.data");
    touch(res_ / "images/ui/drawn.png");
    touch(res_ / "images/ui/removed.png");
    touch(res_ / "audio/se/sound.mp3");
    ASSERT_EQ(prune({res_ / "data/kept.data"}, {{res_ / "images/ui/drawn.png"}}), 0);
    EXPECT_TRUE(fs::exists(res_ / "data/kept.data"));
    EXPECT_TRUE(fs::exists(res_ / "images/ui/drawn.png"));
    EXPECT_TRUE(fs::exists(res_ / "audio/se/sound.mp3"));
    EXPECT_FALSE(fs::exists(res_ / "images/ui/removed.png"));
    EXPECT_FALSE(fs::exists(res_ / "data/old/gone.data"));
    EXPECT_FALSE(fs::exists(res_ / "data/old"));  // emptied folders go too
}

TEST_F(ResourceTreePruneTest, TwoSourcesWritingOnePictureStopTheBuild) {
    touch(res_ / "images/ui/same.png");
    EXPECT_NE(prune({}, {{res_ / "images/ui/same.png"}, {res_ / "images/ui/same.png"}}), 0);
    EXPECT_TRUE(fs::exists(res_ / "images/ui/same.png"));
}

INSTANTIATE_TEST_SUITE_P(Runtime, ResourceTreeFileTest, ::testing::ValuesIn(manifestEntries()), testName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ResourceTreeFileTest);

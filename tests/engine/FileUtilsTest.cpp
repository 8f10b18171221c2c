#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>

#include <gtest/gtest.h>

#include "engine/platform/Application.h"
#include "engine/platform/FileUtils.h"
#include "tests/support/Files.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"

using engine::FileUtils;
using testsupport::listFolder;
using testsupport::readFile;
using testsupport::ScopedEnv;
using testsupport::TempFolder;
using testsupport::writeFile;

namespace {

class FileUtilsTest : public ::testing::Test {
protected:
    void SetUp() override {
        files->resetToDefaults();
        files->setResourceRoot(dir.path());
        root = dir.path() + "/";
    }
    void TearDown() override { files->resetToDefaults(); }

    FileUtils* files = FileUtils::getInstance();
    TempFolder dir;
    std::string root;
};

// ---- resource root and search paths ----

TEST_F(FileUtilsTest, DefaultRootIsResourcesNextToTheExecutable) {
    files->resetToDefaults();
    char exe[4096];
    ssize_t n = ::readlink("/proc/self/exe", exe, sizeof(exe) - 1);
    ASSERT_GT(n, 0);
    std::string exePath(exe, static_cast<std::size_t>(n));
    std::string expected = exePath.substr(0, exePath.find_last_of('/')) + "/Resources/";
    EXPECT_EQ(files->getResourceRoot(), expected);
    EXPECT_EQ(files->getSearchPaths(), std::vector<std::string>{expected});
}

TEST_F(FileUtilsTest, RootGetsATrailingSlashOnce) {
    files->setResourceRoot("/some/where");
    EXPECT_EQ(files->getResourceRoot(), "/some/where/");
    files->setResourceRoot("/some/where/");
    EXPECT_EQ(files->getResourceRoot(), "/some/where/");
}

TEST_F(FileUtilsTest, RelativeFoldersAreTakenFromTheCurrentDirectory) {
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof(previous)), nullptr);
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    files->setResourceRoot("res");
    files->setWritablePath("data");
    std::string resourceRoot = files->getResourceRoot();
    std::string writable = files->getWritablePath();
    ASSERT_EQ(::chdir(previous), 0);
    EXPECT_EQ(resourceRoot, dir / "res/");
    EXPECT_EQ(writable, dir / "data/");
}

TEST_F(FileUtilsTest, SetSearchPathsNormalisesEntriesAndAppendsTheRoot) {
    files->setSearchPaths({"res", "/abs/dir", "res/data/"});
    std::vector<std::string> expected = {root + "res/", "/abs/dir/", root + "res/data/", root};
    EXPECT_EQ(files->getSearchPaths(), expected);
}

TEST_F(FileUtilsTest, SetSearchPathsKeepsTheRootWhereTheListHasIt) {
    files->setSearchPaths({"first", root, "last"});
    std::vector<std::string> expected = {root + "first/", root, root + "last/"};
    EXPECT_EQ(files->getSearchPaths(), expected);
    files->setSearchPaths({"", "x"});  // the empty entry is the root itself
    expected = {root, root + "x/"};
    EXPECT_EQ(files->getSearchPaths(), expected);
}

TEST_F(FileUtilsTest, AddSearchPathAppendsOrPutsInFront) {
    files->addSearchPath("res");
    files->addSearchPath("res/data");
    files->addSearchPath("/opt/extra", true);
    std::vector<std::string> expected = {"/opt/extra/", root, root + "res/", root + "res/data/"};
    EXPECT_EQ(files->getSearchPaths(), expected);
}

TEST_F(FileUtilsTest, ChangingTheRootRebasesRelativeEntriesAndKeepsTheOrder) {
    files->addSearchPath("res");
    files->addSearchPath("/opt/extra");
    files->setResourceRoot("/new/root");
    std::vector<std::string> expected = {"/new/root/", "/new/root/res/", "/opt/extra/"};
    EXPECT_EQ(files->getSearchPaths(), expected);
}

// ---- lookup ----

TEST_F(FileUtilsTest, LookupTakesTheFirstSearchPathThatHasTheFile) {
    writeFile(dir / "res/a.txt", "res");
    writeFile(dir / "res/data/a.txt", "data");
    writeFile(dir / "res/data/b.txt", "data b");
    files->setSearchPaths({"res", "res/data"});
    EXPECT_EQ(files->fullPathForFilename("a.txt"), root + "res/a.txt");
    EXPECT_EQ(files->fullPathForFilename("b.txt"), root + "res/data/b.txt");

    files->setSearchPaths({"res/data", "res"});
    EXPECT_EQ(files->fullPathForFilename("a.txt"), root + "res/data/a.txt");
}

TEST_F(FileUtilsTest, LookupFindsNamesWithFoldersAndFallsBackToTheRoot) {
    writeFile(dir / "res/master/x.data", "x");
    writeFile(dir / "top.txt", "top");
    files->setSearchPaths({"res"});
    EXPECT_EQ(files->fullPathForFilename("master/x.data"), root + "res/master/x.data");
    EXPECT_EQ(files->fullPathForFilename("top.txt"), root + "top.txt");
}

TEST_F(FileUtilsTest, LookupSkipsDirectoriesOfTheSameName) {
    std::filesystem::create_directories(dir / "first/thing.png");
    writeFile(dir / "second/thing.png", "png");
    files->setSearchPaths({"first", "second"});
    EXPECT_EQ(files->fullPathForFilename("thing.png"), root + "second/thing.png");
}

TEST_F(FileUtilsTest, MissingAndEmptyNamesGiveAnEmptyPath) {
    EXPECT_EQ(files->fullPathForFilename("nowhere.txt"), "");
    EXPECT_EQ(files->fullPathForFilename(""), "");
}

TEST_F(FileUtilsTest, AbsoluteNamesAreReturnedAsIsEvenWhenMissing) {
    EXPECT_EQ(files->fullPathForFilename("/does/not/exist.txt"), "/does/not/exist.txt");
    writeFile(dir / "real.txt", "r");
    EXPECT_EQ(files->fullPathForFilename(dir / "real.txt"), dir / "real.txt");
}

TEST_F(FileUtilsTest, AFileCreatedAfterAFailedLookupIsFound) {
    EXPECT_EQ(files->fullPathForFilename("late.txt"), "");
    writeFile(dir / "late.txt", "late");
    EXPECT_EQ(files->fullPathForFilename("late.txt"), root + "late.txt");
}

TEST_F(FileUtilsTest, CachedLookupsSurviveAddSearchPathButNotSetSearchPaths) {
    writeFile(dir / "b/same.txt", "b");
    writeFile(dir / "a/same.txt", "a");
    files->setSearchPaths({"b"});
    EXPECT_EQ(files->fullPathForFilename("same.txt"), root + "b/same.txt");
    files->addSearchPath("a", true);
    EXPECT_EQ(files->fullPathForFilename("same.txt"), root + "b/same.txt");
    files->setSearchPaths({"a", "b"});
    EXPECT_EQ(files->fullPathForFilename("same.txt"), root + "a/same.txt");
}

TEST_F(FileUtilsTest, IsFileExistAcceptsRegularFilesOnly) {
    writeFile(dir / "res/f.txt", "f");
    std::filesystem::create_directories(dir / "res/folder");
    files->setSearchPaths({"res"});
    EXPECT_TRUE(files->isFileExist("f.txt"));
    EXPECT_TRUE(files->isFileExist(dir / "res/f.txt"));
    EXPECT_FALSE(files->isFileExist("folder"));
    EXPECT_FALSE(files->isFileExist(dir / "res/folder"));
    EXPECT_FALSE(files->isFileExist("missing.txt"));
    EXPECT_FALSE(files->isFileExist(""));
}

TEST_F(FileUtilsTest, IsDirectoryExistChecksAbsolutePathsAndEachSearchPath) {
    std::filesystem::create_directories(dir / "res/data/drama");
    writeFile(dir / "res/file", "f");
    files->setSearchPaths({"res"});
    EXPECT_TRUE(files->isDirectoryExist("data/drama"));
    EXPECT_TRUE(files->isDirectoryExist(dir / "res/data"));
    EXPECT_FALSE(files->isDirectoryExist("file"));
    EXPECT_FALSE(files->isDirectoryExist("nothing"));
    EXPECT_FALSE(files->isDirectoryExist(""));
}

TEST_F(FileUtilsTest, CreateDirectoryMakesEveryMissingComponent) {
    std::string deep = dir / "a/b/c/d";
    EXPECT_TRUE(files->createDirectory(deep));
    EXPECT_TRUE(std::filesystem::is_directory(deep));
    EXPECT_TRUE(files->createDirectory(deep + "/"));  // already there
    writeFile(dir / "plain", "x");
    EXPECT_FALSE(files->createDirectory(dir / "plain/sub"));
    EXPECT_FALSE(files->createDirectory(""));
}

// ---- reading ----

TEST_F(FileUtilsTest, GetStringFromFileIsBinarySafe) {
    std::string bytes("a\0b\xff\r\n", 6);
    writeFile(dir / "bin.dat", bytes);
    EXPECT_EQ(files->getStringFromFile("bin.dat"), bytes);
    std::vector<std::uint8_t> data = files->getDataFromFile("bin.dat");
    EXPECT_EQ(std::string(data.begin(), data.end()), bytes);
}

TEST_F(FileUtilsTest, GetStringFromFileGivesEmptyForMissingEmptyOrFolder) {
    writeFile(dir / "empty.txt", "");
    std::filesystem::create_directories(dir / "folder");
    EXPECT_EQ(files->getStringFromFile("empty.txt"), "");
    EXPECT_EQ(files->getStringFromFile("missing.txt"), "");
    EXPECT_EQ(files->getStringFromFile(dir / "folder"), "");
    EXPECT_TRUE(files->getDataFromFile("missing.txt").empty());
}

TEST_F(FileUtilsTest, RemoveFileDeletesAndForgetsTheLookup) {
    writeFile(dir / "gone.txt", "x");
    ASSERT_EQ(files->fullPathForFilename("gone.txt"), root + "gone.txt");
    EXPECT_TRUE(files->removeFile(root + "gone.txt"));
    EXPECT_EQ(files->fullPathForFilename("gone.txt"), "");
    EXPECT_FALSE(files->removeFile(root + "gone.txt"));
}

TEST_F(FileUtilsTest, ListFilesRecursivelyGivesSortedFilesOnly) {
    writeFile(dir / "tree/b.txt", "");
    writeFile(dir / "tree/a/z.txt", "");
    writeFile(dir / "tree/a/c.txt", "");
    std::filesystem::create_directories(dir / "tree/empty");
    std::vector<std::string> expected = {root + "tree/a/c.txt", root + "tree/a/z.txt", root + "tree/b.txt"};
    EXPECT_EQ(files->listFilesRecursively(root + "tree"), expected);
    EXPECT_EQ(files->listFilesRecursively("tree"), expected);  // found through the search paths
    EXPECT_TRUE(files->listFilesRecursively("no-such-folder").empty());
}

// ---- atomic writes ----

TEST_F(FileUtilsTest, WriteCreatesAndReplacesFiles) {
    std::string target = dir / "save.txt";
    EXPECT_TRUE(files->writeStringToFile("first", target));
    EXPECT_EQ(readFile(target), "first");
    std::string bytes("x\0y", 3);
    EXPECT_TRUE(files->writeStringToFile(bytes, target));
    EXPECT_EQ(readFile(target), bytes);
    EXPECT_TRUE(files->writeStringToFile("", target));
    EXPECT_EQ(readFile(target), "");
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"save.txt"});
}

TEST_F(FileUtilsTest, TemporariesOfKilledWritersAreRemovedAndALiveWritersAreKept) {
    // A process that has ended: its id names no running process any more.
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string dead = ".save.txt.tmp-" + std::to_string(child) + "-0";
    const std::string live = ".save.txt.tmp-" + std::to_string(::getpid()) + "-3";
    for (const std::string& name :
         {dead, live, std::string(".save.txt.tmp-x-1"), std::string(".other.tmp-1-1")})
        writeFile(dir / name, "half a save");
    writeFile(dir / "save.txt", "whole");
    EXPECT_EQ(files->removeLeftoverTemporaries(dir / "save.txt"), 1);
    EXPECT_EQ(listFolder(dir.path()),
              (std::vector<std::string>{".other.tmp-1-1", live, ".save.txt.tmp-x-1", "save.txt"}));
    EXPECT_EQ(files->removeLeftoverTemporaries(dir / "missing/save.txt"), 0);
    EXPECT_EQ(files->removeLeftoverTemporaries(""), 0);
}

TEST_F(FileUtilsTest, WriteNeitherCreatesFoldersNorAcceptsAFolderAsTarget) {
    EXPECT_FALSE(files->writeStringToFile("x", dir / "missing/save.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    std::filesystem::create_directories(dir / "folder");
    EXPECT_FALSE(files->writeStringToFile("x", dir / "folder"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
    EXPECT_FALSE(files->writeStringToFile("x", ""));
}

class FileUtilsWriteFaultTest : public FileUtilsTest,
                                public ::testing::WithParamInterface<FileUtils::WriteFault> {
protected:
    void TearDown() override {
        files->setWriteFaultForTesting(FileUtils::WriteFault::NONE);
        FileUtilsTest::TearDown();
    }
};

TEST_P(FileUtilsWriteFaultTest, AFailedWriteKeepsThePreviousFileAndLeavesNoTemporary) {
    std::string target = dir / "save.txt";
    ASSERT_TRUE(files->writeStringToFile("previous content", target));
    files->setWriteFaultForTesting(GetParam());
    EXPECT_FALSE(files->writeStringToFile("new content that must not land", target));
    EXPECT_EQ(readFile(target), "previous content");
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"save.txt"});
}

TEST_P(FileUtilsWriteFaultTest, AFailedFirstWriteLeavesNothing) {
    files->setWriteFaultForTesting(GetParam());
    EXPECT_FALSE(files->writeStringToFile("content", dir / "new.txt"));
    EXPECT_TRUE(listFolder(dir.path()).empty());
}

TEST_P(FileUtilsWriteFaultTest, WritesSucceedAgainOnceTheFaultIsCleared) {
    std::string target = dir / "save.txt";
    files->setWriteFaultForTesting(GetParam());
    EXPECT_FALSE(files->writeStringToFile("lost", target));
    files->setWriteFaultForTesting(FileUtils::WriteFault::NONE);
    EXPECT_TRUE(files->writeStringToFile("kept", target));
    EXPECT_EQ(readFile(target), "kept");
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"save.txt"});
}

std::string faultName(const ::testing::TestParamInfo<FileUtils::WriteFault>& param) {
    switch (param.param) {
        case FileUtils::WriteFault::OPEN:
            return "OPEN";
        case FileUtils::WriteFault::WRITE:
            return "WRITE";
        case FileUtils::WriteFault::SYNC:
            return "SYNC";
        case FileUtils::WriteFault::RENAME:
            return "RENAME";
        default:
            return "NONE";
    }
}

INSTANTIATE_TEST_SUITE_P(EachStage, FileUtilsWriteFaultTest,
                         ::testing::Values(FileUtils::WriteFault::OPEN, FileUtils::WriteFault::WRITE,
                                           FileUtils::WriteFault::SYNC, FileUtils::WriteFault::RENAME),
                         faultName);

// ---- writable path ----

TEST_F(FileUtilsTest, WritablePathFromTheCommandLineGetsASlashAndIsCreated) {
    files->setWritablePath(dir / "data/dir");
    EXPECT_EQ(files->getWritablePath(), dir / "data/dir/");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "data/dir"));
}

TEST_F(FileUtilsTest, WritablePathDefaultsToTheXdgDataFolder) {
    ScopedEnv xdg("XDG_DATA_HOME", dir / "xdg");
    files->setApplicationName("some-game");
    EXPECT_EQ(files->getWritablePath(), dir / "xdg/some-game/");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "xdg/some-game"));
}

TEST_F(FileUtilsTest, WritablePathFallsBackToHomeWhenXdgIsUnsetOrRelative) {
    ScopedEnv home("HOME", dir / "home");
    files->setApplicationName("some-game");
    {
        ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);
        EXPECT_EQ(files->getWritablePath(), dir / "home/.local/share/some-game/");
    }
    ScopedEnv xdg("XDG_DATA_HOME", std::string("relative/dir"));
    EXPECT_EQ(files->getWritablePath(), dir / "home/.local/share/some-game/");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "home/.local/share/some-game"));
}

TEST_F(FileUtilsTest, AnEmptyWritablePathRestoresTheDefault) {
    ScopedEnv xdg("XDG_DATA_HOME", dir / "xdg");
    files->setApplicationName("some-game");
    files->setWritablePath(dir / "cli");
    files->setWritablePath("");
    EXPECT_EQ(files->getWritablePath(), dir / "xdg/some-game/");
}

TEST_F(FileUtilsTest, TheDataFolderIsNamedByTheApplicationElseAfterTheProgram) {
    ScopedEnv xdg("XDG_DATA_HOME", dir / "xdg");
    std::string program = std::filesystem::read_symlink("/proc/self/exe").filename();
    EXPECT_EQ(files->getApplicationName(), program);
    EXPECT_EQ(files->getWritablePath(), dir / ("xdg/" + program + "/"));

    class NamedApp : public engine::Application {
    public:
        NamedApp() : engine::Application({"some-game", "Some Game"}) {}
        bool applicationDidFinishLaunching() override { return true; }
    };
    NamedApp app;
    EXPECT_EQ(app.getIdentity().title, "Some Game");
    EXPECT_EQ(files->getWritablePath(), dir / "xdg/some-game/");

    // Names that would move the folder out of the data home are refused.
    for (const char* bad : {"", ".", "..", "../elsewhere", "a/b"}) {
        files->setApplicationName(bad);
        EXPECT_EQ(files->getApplicationName(), "some-game") << bad;
    }
}

}  // namespace

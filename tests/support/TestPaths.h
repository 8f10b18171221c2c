#pragma once

// Where tests find the build's programs, the assembled runtime tree, the source tree and the shared
// sample files. The shared samples live outside the repository: a clone without them still builds
// and tests; the tests that need them skip with SKIP_WITHOUT_SHARED_TEST_DATA().

#include <string>

#include <gtest/gtest.h>

namespace testsupport {

// The build folder, where the programs are; tests may keep what they made there for a person to look at.
std::string buildDir();

// A program of the build, by its name ("quorin", "engine-demo", "quorin-pix" ...).
std::string buildProgram(const std::string& name);

// The assembled runtime root: the folder holding "res/".
std::string runtimeDir();

// The repository's root folder.
std::string sourceDir();

// A file the repository keeps for its tests, by its path under tests/ ("engine/data/tmx/stage.tmx").
std::string projectTestFile(const std::string& relative);

// A file of the shared sample folder (the CMake setting QUORIN_TESTDATA_DIR), by its path in it.
std::string sharedTestFile(const std::string& relative);

// Whether the shared sample folder is there, and if not, a sentence saying so.
bool sharedTestDataPresent();
std::string sharedTestDataMissing();

}  // namespace testsupport

// Ends the current test as skipped, with the reason, when the shared sample folder is absent.
#define SKIP_WITHOUT_SHARED_TEST_DATA() \
    if (!::testsupport::sharedTestDataPresent()) GTEST_SKIP() << ::testsupport::sharedTestDataMissing()

#include "tests/support/TestPaths.h"

#include <filesystem>

namespace testsupport {

std::string buildDir() {
    return QUORIN_BINARY_DIR;
}

std::string buildProgram(const std::string& name) {
    return buildDir() + "/" + name;
}

std::string runtimeDir() {
    return QUORIN_RUNTIME_DIR;
}

std::string sourceDir() {
    return QUORIN_SOURCE_DIR;
}

std::string projectTestFile(const std::string& relative) {
    return sourceDir() + "/tests/" + relative;
}

std::string sharedTestFile(const std::string& relative) {
    return std::string(QUORIN_TESTDATA_DIR) + "/" + relative;
}

bool sharedTestDataPresent() {
    std::error_code ignored;
    return std::filesystem::is_directory(QUORIN_TESTDATA_DIR, ignored);
}

std::string sharedTestDataMissing() {
    return std::string("needs the shared sample files, and ") + QUORIN_TESTDATA_DIR +
           " is not there (set QUORIN_TESTDATA_DIR when configuring)";
}

}  // namespace testsupport

// Every input kept in tests/fuzz/regression/TARGET/ (each one once made a loader crash, hang or run
// out of memory) fed again to the same entry the fuzzer calls, in the ordinary sanitizer build.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/Files.h"
#include "tests/support/TestPaths.h"

namespace {

std::vector<std::string> targetNames() {
    std::vector<std::string> names;
    for (const fuzzing::FuzzTarget& target : fuzzing::fuzzTargets())
        names.push_back(target.name);
    return names;
}

class FuzzRegressionTest : public ::testing::TestWithParam<std::string> {};

TEST_P(FuzzRegressionTest, EveryKeptInputLoadsWithoutAFault) {
    // Pictures and sounds the inputs name come from the built runtime tree, as in the fuzz runs.
    ::setenv("QUORIN_FUZZ_RUNTIME", testsupport::runtimeDir().c_str(), 1);
    const fuzzing::FuzzTarget* target = fuzzing::findFuzzTarget(GetParam());
    ASSERT_NE(target, nullptr);
    const std::string folder = testsupport::sourceDir() + "/tests/fuzz/regression/" + GetParam();
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no input has been kept for this target yet";
    for (const std::string& name : testsupport::listFolder(folder)) {
        SCOPED_TRACE(folder + "/" + name);
        const std::string bytes = testsupport::readFile(folder + "/" + name);
        // A buffer of exactly the input's size, so that the sanitizer sees a read one byte past it.
        std::unique_ptr<char[]> exact(new char[bytes.size() + (bytes.empty() ? 1 : 0)]);
        if (!bytes.empty()) std::memcpy(exact.get(), bytes.data(), bytes.size());
        target->run(std::string_view(exact.get(), bytes.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegressionTest, ::testing::ValuesIn(targetNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) { return param.param; });

}  // namespace

// The sanitizer build's leak check can fail: a picture an engine program forgets is reported even
// with the repository's suppressions, and a program that frees everything passes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/ProgramRun.h"

using testsupport::ProgramOptions;
using testsupport::ProgramRun;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool ADDRESS_SANITIZER = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool ADDRESS_SANITIZER = true;
#else
constexpr bool ADDRESS_SANITIZER = false;
#endif
#else
constexpr bool ADDRESS_SANITIZER = false;
#endif

constexpr int LEAK_EXIT_CODE = 23;

class LeakCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!ADDRESS_SANITIZER) GTEST_SKIP() << "built without AddressSanitizer: there is no leak check";
    }

    // Runs the probe under the suite's suppressions. The slow unwinder lets the report reach past
    // SDL's frames (built without frame pointers) to the function that forgot the picture.
    ProgramRun probe(const std::vector<std::string>& args) {
        ProgramOptions options;
        options.environment = {
            {"ASAN_OPTIONS", std::string("detect_leaks=1:fast_unwind_on_malloc=0")},
            {"LSAN_OPTIONS", "suppressions=" + std::string(ENGINE_LSAN_SUPPRESSIONS) +
                                 ":print_suppressions=0:exitcode=" + std::to_string(LEAK_EXIT_CODE)},
            {"SDL_AUDIODRIVER", std::string("dummy")}};
        return testsupport::runProgram(ENGINE_LEAK_PROBE, args, options);
    }
};

TEST_F(LeakCheckTest, AProgramThatFreesEverythingPasses) {
    ProgramRun run = probe({});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("LeakSanitizer"), std::string::npos) << run.err;
}

TEST_F(LeakCheckTest, AForgottenSdlSurfaceIsReportedDespiteTheSuppressions) {
    ProgramRun run = probe({"--leak", "surface"});
    EXPECT_EQ(run.exitCode, LEAK_EXIT_CODE) << run.err;
    EXPECT_NE(run.err.find("LeakSanitizer: detected memory leaks"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("libSDL2"), std::string::npos) << "allocated inside SDL:\n" << run.err;
    EXPECT_NE(run.err.find("forgetSurface"), std::string::npos) << run.err;
}

TEST_F(LeakCheckTest, AForgottenTextureIsReportedWithWhereItWasMade) {
    ProgramRun run = probe({"--leak", "texture"});
    EXPECT_EQ(run.exitCode, LEAK_EXIT_CODE) << run.err;
    EXPECT_NE(run.err.find("engine::Texture2D::createWithSurface"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("forgetTexture"), std::string::npos) << run.err;
}

}  // namespace

// quorin-fuzz: the libFuzzer program of every loader. The target is named by the program's file
// name ("quorin-fuzz-save", a link made by the build) or by QUORIN_FUZZ_TARGET.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/fuzz/FuzzTargets.h"

namespace {

const fuzzing::FuzzTarget* chosen = nullptr;

std::string targetName(const char* program) {
    if (const char* named = std::getenv("QUORIN_FUZZ_TARGET"); named && *named) return named;
    const std::string path = program ? program : "";
    const std::string prefix = "quorin-fuzz-";
    const std::size_t at = path.rfind(prefix);
    return at == std::string::npos ? std::string() : path.substr(at + prefix.size());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    const std::string name = targetName(*argc > 0 ? (*argv)[0] : nullptr);
    chosen = fuzzing::findFuzzTarget(name);
    if (!chosen) {
        std::fprintf(
            stderr,
            "quorin-fuzz: no target '%s'; run it as quorin-fuzz-NAME or set QUORIN_FUZZ_TARGET to one of:",
            name.c_str());
        for (const fuzzing::FuzzTarget& target : fuzzing::fuzzTargets())
            std::fprintf(stderr, " %s", target.name);
        std::fprintf(stderr, "\n");
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    chosen->run(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}

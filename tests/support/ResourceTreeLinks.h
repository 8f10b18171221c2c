#pragma once

#include <filesystem>

namespace testsupport {

// A resource tree at `res` that is the built one at `built` but for its maps: everything else is
// linked, and res/data/map is left empty for the caller to fill (the tests' own maps, or the built
// ones rewritten). Header only, so that the benchmarks can use it too.
inline void linkResourceTreeWithoutMaps(const std::filesystem::path& built,
                                        const std::filesystem::path& res) {
    namespace fs = std::filesystem;
    fs::create_directories(res / "data" / "map");
    for (const auto& entry : fs::directory_iterator(built))
        if (entry.path().filename() != "data")
            fs::create_directory_symlink(entry.path(), res / entry.path().filename());
    for (const auto& entry : fs::directory_iterator(built / "data"))
        if (entry.path().filename() != "map")
            fs::create_directory_symlink(entry.path(), res / "data" / entry.path().filename());
}

}  // namespace testsupport

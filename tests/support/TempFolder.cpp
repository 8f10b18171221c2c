#include "tests/support/TempFolder.h"

#include <stdlib.h>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace testsupport {

TempFolder::TempFolder() {
    const std::string pattern = (std::filesystem::temp_directory_path() / "quorin-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("cannot make a folder like " + pattern);
    path_ = buffer.data();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace testsupport

#pragma once

// Whole-file reading and writing for tests: binary-safe, and quiet about missing files (a test
// checks what it needs).

#include <string>
#include <vector>

namespace testsupport {

// The bytes of a file; empty when it cannot be read.
std::string readFile(const std::string& path);

// Writes `content` to `path`, making missing parent folders first.
void writeFile(const std::string& path, const std::string& content);

// Names of the entries directly in `folder`, sorted.
std::vector<std::string> listFolder(const std::string& folder);

}  // namespace testsupport

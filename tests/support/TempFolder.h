#pragma once

#include <string>

namespace testsupport {

// A fresh empty folder under the system's temporary directory, removed with everything in it when
// the object goes. Each object has its own folder, so tests running side by side never share one.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // The path of `name` inside the folder (which may name sub-folders: "res/data/a.data").
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace testsupport

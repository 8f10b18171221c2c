#pragma once

#include <functional>
#include <string>

namespace vastomer {

// Where the data loaders get their files from: the game reads through the engine's search paths,
// the content tool and tests may read from a folder of their own.
class DataSource {
public:
    // Reads the file known by `name` (for example "master/weapon_master.data") into `text`; `shownPath`
    // receives the path to name it by in reports. False when there is no such file.
    using ReadFunction =
        std::function<bool(const std::string& name, std::string& text, std::string& shownPath)>;

    explicit DataSource(ReadFunction read) : read_(std::move(read)) {}

    // The engine's search paths (FileUtils::fullPathForFilename, then the whole file).
    static DataSource searchPaths();
    // Files under one folder: `name` is taken relative to it.
    static DataSource folder(const std::string& directory);

    bool read(const std::string& name, std::string& text, std::string& shownPath) const {
        return read_ && read_(name, text, shownPath);
    }

private:
    ReadFunction read_;
};

}  // namespace vastomer

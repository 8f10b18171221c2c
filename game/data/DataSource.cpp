#include "game/data/DataSource.h"

#include "engine/platform/FileUtils.h"

namespace vastomer {

DataSource DataSource::searchPaths() {
    return DataSource([](const std::string& name, std::string& text, std::string& shownPath) {
        engine::FileUtils* files = engine::FileUtils::getInstance();
        std::string full = files->fullPathForFilename(name);
        if (full.empty()) return false;
        text = files->getStringFromFile(full);
        shownPath = full;
        return true;
    });
}

DataSource DataSource::folder(const std::string& directory) {
    std::string base = directory.empty() || directory.back() == '/' ? directory : directory + "/";
    return DataSource([base](const std::string& name, std::string& text, std::string& shownPath) {
        engine::FileUtils* files = engine::FileUtils::getInstance();
        std::string full = engine::FileUtils::isAbsolutePath(name) ? name : base + name;
        if (!files->isFileExist(full)) return false;
        text = files->getStringFromFile(full);
        shownPath = full;
        return true;
    });
}

}  // namespace vastomer

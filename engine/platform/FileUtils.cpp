#include "engine/platform/FileUtils.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "engine/base/Misuse.h"

namespace engine {

namespace {

bool statIs(const std::string& path, mode_t type) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == type;
}

std::string parentOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Relative folders from the command line are taken from the current directory, so that every full
// path handed out is absolute.
std::string absoluteFolder(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char buffer[4096];
    if (!::getcwd(buffer, sizeof(buffer))) return path;
    return std::string(buffer) + "/" + path;
}

std::string homeDirectory() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    const passwd* entry = ::getpwuid(::getuid());
    return (entry && entry->pw_dir) ? entry->pw_dir : "/tmp";
}

// Writes all of `data`, retrying short writes and interruptions.
bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced is not an error.
void syncDirectory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

FileUtils* FileUtils::getInstance() {
    static FileUtils instance;
    return &instance;
}

FileUtils::FileUtils() {
    resetToDefaults();
}

void FileUtils::resetToDefaults() {
    root_ = defaultResourceRoot();
    givenSearchPaths_ = {""};
    searchPaths_ = {root_};
    cache_.clear();
    writablePath_.clear();
    std::string program = executablePath();
    applicationName_ = program.empty() ? "engine" : program.substr(program.find_last_of('/') + 1);
    writeFault_ = WriteFault::NONE;
}

std::string FileUtils::executablePath() {
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

std::string FileUtils::defaultResourceRoot() {
    std::string program = executablePath();
    if (program.empty()) return absoluteFolder("Resources/");
    return parentOf(program) + "/Resources/";
}

std::string FileUtils::withTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

std::string FileUtils::underRoot(const std::string& path) const {
    return withTrailingSlash(isAbsolutePath(path) ? path : root_ + path);
}

void FileUtils::setResourceRoot(const std::string& dir) {
    root_ = withTrailingSlash(absoluteFolder(dir));
    std::vector<std::string> given = givenSearchPaths_;
    setSearchPaths(given);
}

void FileUtils::setSearchPaths(const std::vector<std::string>& paths) {
    givenSearchPaths_ = paths;
    searchPaths_.clear();
    for (const std::string& path : paths)
        searchPaths_.push_back(underRoot(path));
    if (std::find(searchPaths_.begin(), searchPaths_.end(), root_) == searchPaths_.end()) {
        // The empty entry stands for the root, so a later root change keeps its place in the order.
        givenSearchPaths_.push_back("");
        searchPaths_.push_back(root_);
    }
    cache_.clear();
}

void FileUtils::addSearchPath(const std::string& path, bool front) {
    if (front) {
        givenSearchPaths_.insert(givenSearchPaths_.begin(), path);
        searchPaths_.insert(searchPaths_.begin(), underRoot(path));
    } else {
        givenSearchPaths_.push_back(path);
        searchPaths_.push_back(underRoot(path));
    }
}

std::string FileUtils::fullPathForFilename(const std::string& filename) const {
    if (filename.empty()) return "";
    if (isAbsolutePath(filename)) return filename;
    auto cached = cache_.find(filename);
    if (cached != cache_.end()) return cached->second;
    for (const std::string& searchPath : searchPaths_) {
        std::string candidate = searchPath + filename;
        if (statIs(candidate, S_IFREG)) {
            cache_.emplace(filename, candidate);
            return candidate;
        }
    }
    return "";
}

bool FileUtils::isFileExist(const std::string& filename) const {
    if (isAbsolutePath(filename)) return statIs(filename, S_IFREG);
    return !fullPathForFilename(filename).empty();
}

std::string FileUtils::resolveDirectory(const std::string& path) const {
    if (path.empty()) return "";
    if (isAbsolutePath(path)) return statIs(path, S_IFDIR) ? path : "";
    for (const std::string& searchPath : searchPaths_) {
        if (statIs(searchPath + path, S_IFDIR)) return searchPath + path;
    }
    return "";
}

bool FileUtils::isDirectoryExist(const std::string& path) const {
    return !resolveDirectory(path).empty();
}

bool FileUtils::createDirectory(const std::string& path) const {
    if (path.empty()) return false;
    if (statIs(path, S_IFDIR)) return true;
    std::size_t pos = 0;
    while (pos != std::string::npos) {
        pos = path.find('/', pos + 1);
        std::string prefix = path.substr(0, pos);
        if (prefix.empty() || statIs(prefix, S_IFDIR)) continue;
        if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
    return statIs(path, S_IFDIR);
}

bool FileUtils::readWholeFile(const std::string& fullPath, std::string& out) const {
    if (!statIs(fullPath, S_IFREG)) return false;
    std::ifstream in(fullPath, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) return false;
    in.seekg(0, std::ios::beg);
    out.resize(static_cast<std::size_t>(size));
    in.read(out.data(), size);
    out.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

std::string FileUtils::getStringFromFile(const std::string& filename) const {
    std::string data;
    if (!readWholeFile(fullPathForFilename(filename), data)) return "";
    return data;
}

std::vector<std::uint8_t> FileUtils::getDataFromFile(const std::string& filename) const {
    std::string data = getStringFromFile(filename);
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

bool FileUtils::removeFile(const std::string& path) {
    cache_.clear();
    return !path.empty() && ::unlink(path.c_str()) == 0;
}

std::vector<std::string> FileUtils::listFilesRecursively(const std::string& dir) const {
    std::vector<std::string> files;
    std::string base = resolveDirectory(dir);
    if (base.empty()) return files;
    std::error_code error;
    namespace fs = std::filesystem;
    for (fs::recursive_directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error)) files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool FileUtils::writeStringToFile(const std::string& data, const std::string& fullPath) const {
    if (fullPath.empty() || fullPath.back() == '/') return false;
    // A hidden name private to this process and call, next to the target so that the rename stays on
    // one file system.
    std::size_t slash = fullPath.find_last_of('/');
    std::string folder = slash == std::string::npos ? "" : fullPath.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? fullPath : fullPath.substr(slash + 1);
    std::string temp =
        folder + "." + base + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(tempCounter_++);

    if (writeFault_ == WriteFault::OPEN) return false;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;

    bool ok = false;
    if (writeFault_ == WriteFault::WRITE) {
        writeAll(fd, data.substr(0, data.size() / 2));  // leaves a partial temporary, as a full disk would
    } else {
        ok = writeAll(fd, data);
    }
    ok = ok && writeFault_ != WriteFault::SYNC && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && writeFault_ != WriteFault::RENAME && ::rename(temp.c_str(), fullPath.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncDirectory(parentOf(fullPath));
    return true;
}

int FileUtils::removeLeftoverTemporaries(const std::string& fullPath) const {
    std::size_t slash = fullPath.find_last_of('/');
    if (fullPath.empty() || slash == fullPath.size() - 1) return 0;
    const std::string folder = slash == std::string::npos ? "." : fullPath.substr(0, slash);
    const std::string prefix =
        "." + (slash == std::string::npos ? fullPath : fullPath.substr(slash + 1)) + ".tmp-";
    int removed = 0;
    std::error_code error;
    namespace fs = std::filesystem;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        // The name carries the writer's process id: "<prefix><pid>-<counter>".
        const std::string rest = name.substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos || rest.find_first_not_of("0123456789") != dash) continue;
        const long pid = std::strtol(rest.substr(0, dash).c_str(), nullptr, 10);
        if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM)) continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

void FileUtils::setWritablePath(const std::string& dir) {
    writablePath_ = dir.empty() ? "" : withTrailingSlash(absoluteFolder(dir));
}

void FileUtils::setApplicationName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        reportMisuse(
            "FileUtils::setApplicationName",
            "'" + name + "' cannot name a folder in the data home; use a plain name such as \"my-game\"");
        return;
    }
    applicationName_ = name;
}

std::string FileUtils::getWritablePath() const {
    std::string path = writablePath_;
    if (path.empty()) {
        const char* xdg = std::getenv("XDG_DATA_HOME");
        // The XDG rules ignore a relative value.
        std::string base = (xdg && xdg[0] == '/') ? std::string(xdg) : homeDirectory() + "/.local/share";
        path = withTrailingSlash(base) + applicationName_ + "/";
    }
    createDirectory(path);
    return path;
}

}  // namespace engine

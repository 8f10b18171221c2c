#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace engine {

// Finds resources under a resource root through an ordered list of search paths, reads whole files,
// and writes files atomically (temporary file, flush to disk, rename over the target) so that a crash
// mid-write never leaves a half-written save or settings file. Also owns the per-user writable folder.
class FileUtils {
public:
    // Stage of an atomic write that a test can make fail (see setWriteFaultForTesting).
    enum class WriteFault { NONE, OPEN, WRITE, SYNC, RENAME };

    static FileUtils* getInstance();

    FileUtils(const FileUtils&) = delete;
    FileUtils& operator=(const FileUtils&) = delete;

    // Back to the state at start-up: default root, search paths [root], no cache, default writable path,
    // the program's file name as the application name.
    void resetToDefaults();

    // The folder that relative search paths hang from (made absolute, always ends with "/"). Changing
    // it re-bases the search paths that were given relative.
    void setResourceRoot(const std::string& dir);
    const std::string& getResourceRoot() const { return root_; }

    // Relative entries are taken under the root and every entry ends with "/"; the root itself is
    // appended when the list does not contain it. Clears the lookup cache.
    void setSearchPaths(const std::vector<std::string>& paths);
    // Normalised the same way, appended (or put in front); keeps the lookup cache.
    void addSearchPath(const std::string& path, bool front = false);
    const std::vector<std::string>& getSearchPaths() const { return searchPaths_; }
    void purgeCachedEntries() { cache_.clear(); }

    static bool isAbsolutePath(const std::string& path) { return !path.empty() && path[0] == '/'; }

    // "" for "", an absolute name as is, else the first regular file over the search paths; "" if none.
    std::string fullPathForFilename(const std::string& filename) const;
    // Regular files only; a relative name is looked up through the search paths.
    bool isFileExist(const std::string& filename) const;
    // An absolute path is checked directly, a relative one under each search path.
    bool isDirectoryExist(const std::string& path) const;
    // Creates every missing component; true if the directory exists afterwards.
    bool createDirectory(const std::string& path) const;
    // The whole file (binary-safe), looked up through the search paths; "" if it cannot be read.
    std::string getStringFromFile(const std::string& filename) const;
    std::vector<std::uint8_t> getDataFromFile(const std::string& filename) const;
    // Removes one file given by its path (not looked up). Drops the lookup cache.
    bool removeFile(const std::string& path);
    // Every regular file below `dir` (looked up like isDirectoryExist), full paths in byte order.
    std::vector<std::string> listFilesRecursively(const std::string& dir) const;

    // Replaces `fullPath` (used as given: no lookup, no folder creation) with `data`, atomically.
    // On failure returns false, the previous file is untouched and no temporary file remains.
    bool writeStringToFile(const std::string& data, const std::string& fullPath) const;
    // Removes the temporary files that writes of `fullPath` left behind when their process was killed
    // mid-write; a temporary of a process still running is kept. Returns how many were removed.
    int removeLeftoverTemporaries(const std::string& fullPath) const;

    // The per-user data folder, with a trailing "/": the folder given here (from the command line), or
    // "$XDG_DATA_HOME/NAME/", or "$HOME/.local/share/NAME/", NAME being the application name. Created
    // when missing. A relative folder is taken from the current directory; "" goes back to the default.
    void setWritablePath(const std::string& dir);
    // Names the default data folder (the Application passes its identity's name). A name that is
    // empty, ".", ".." or holds a "/" is refused: it would put the data folder somewhere else.
    void setApplicationName(const std::string& name);
    const std::string& getApplicationName() const { return applicationName_; }
    std::string getWritablePath() const;

    // TEST HOOK: makes every following atomic write fail at the given stage, until reset with NONE.
    void setWriteFaultForTesting(WriteFault fault) { writeFault_ = fault; }

private:
    FileUtils();

    static std::string executablePath();
    static std::string defaultResourceRoot();
    static std::string withTrailingSlash(std::string path);
    std::string underRoot(const std::string& path) const;
    std::string resolveDirectory(const std::string& path) const;
    bool readWholeFile(const std::string& fullPath, std::string& out) const;

    std::string root_;
    std::vector<std::string> givenSearchPaths_;  // as the caller passed them, to re-base on a root change
    std::vector<std::string> searchPaths_;
    mutable std::map<std::string, std::string> cache_;
    std::string writablePath_;
    std::string applicationName_;
    WriteFault writeFault_ = WriteFault::NONE;
    mutable unsigned tempCounter_ = 0;
};

}  // namespace engine

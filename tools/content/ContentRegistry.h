#pragma once

// The kinds of content file quorin-content knows. A kind is a small registration, made from a
// register function listed in ContentKinds.cpp:
//
//   - a ContentCheck validates resource files for `quorin-content check`: it reads them through
//     `context.resources` with the game's own loaders and puts every problem into the diagnostics
//     sink (file:line: message);
//   - a ContentDump serves `quorin-content dump KIND FILE` for the names in `kinds`: it reads FILE
//     with the game's loader and returns what the loader read as JSON.
//
// To add a kind (".cma", ".bks", strings ...): write registerXxxContent(ContentRegistry&) next to
// the others, add its call to registerContentKinds, and give the game's loader a Diagnostics* sink.

#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "game/data/DataSource.h"
#include "game/data/Diagnostics.h"

namespace content {

// What a check or a dump may use besides its own file.
struct ContentContext {
    // The resource tree given by --res, searched as the game searches it; reports name files by
    // their path under the root.
    vastomer::DataSource resources;
};

// A check of `quorin-content check`: its name, a line for --help, and what it runs.
struct ContentCheck {
    std::string name;
    std::string summary;
    std::function<void(const ContentContext& context, vastomer::Diagnostics& diagnostics)> run;
};

// A reader for `quorin-content dump KIND FILE`.
struct ContentDump {
    std::vector<std::string> kinds;  // accepted KIND names
    std::string summary;
    // `text` holds FILE; false when it cannot be read as this kind at all.
    std::function<bool(const std::string& kind, const std::string& path, const std::string& text,
                       const ContentContext& context, nlohmann::json& out,
                       vastomer::Diagnostics& diagnostics)>
        run;
};

// The checks and dumps the tool knows, in the order they registered.
class ContentRegistry {
public:
    void addCheck(ContentCheck check) { checks_.push_back(std::move(check)); }
    void addDump(ContentDump dump) { dumps_.push_back(std::move(dump)); }

    const std::vector<ContentCheck>& checks() const { return checks_; }
    const std::vector<ContentDump>& dumps() const { return dumps_; }
    // The dump that accepts `kind`, or null.
    const ContentDump* findDump(const std::string& kind) const;

private:
    std::vector<ContentCheck> checks_;
    std::vector<ContentDump> dumps_;
};

// Registers every kind the tool knows.
void registerContentKinds(ContentRegistry& registry);

}  // namespace content

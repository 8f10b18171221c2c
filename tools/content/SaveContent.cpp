// The save file: `dump save FILE` shows the progress the game reads from it, over a new game of the
// resource tree's stages and checked against its weapon and wear tables, as the game does.
#include <string>

#include "game/data/MasterTables.h"
#include "game/data/ProgressJson.h"
#include "game/data/ProgressState.h"
#include "game/data/SaveFileCodec.h"
#include "game/data/StageTables.h"
#include "tools/content/ContentKinds.h"

using namespace vastomer;

namespace content {

namespace {

bool dumpSave(const std::string&, const std::string& path, const std::string& text,
              const ContentContext& context, nlohmann::json& out, Diagnostics& diagnostics) {
    MasterTables tables;
    tables.load(MasterTable::WEAPON, context.resources);
    tables.load(MasterTable::WEAR, context.resources);
    StageTables stages;
    stages.load(context.resources);

    ProgressState state;
    state.reset(stages.getStageNumbers());
    SaveFileCodec::Checks checks;
    checks.weaponExists = [&tables](int id) { return tables.hasWeapon(id); };
    checks.wearExists = [&tables](int id) { return tables.hasWear(id); };
    std::string language;
    SaveFileCodec::read(text, state, checks, language, path, &diagnostics);
    out = ProgressJson::toJson(state, language);
    return true;
}

}  // namespace

void registerSaveContent(ContentRegistry& registry) {
    registry.addDump({{"save"}, "a save file (r.quorin.sav) as the game reads it", dumpSave});
}

}  // namespace content

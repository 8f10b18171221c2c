#include "tools/content/ContentKinds.h"

using namespace vastomer;

namespace content {

void registerContentKinds(ContentRegistry& registry) {
    registerMasterContent(registry);
    registerStageContent(registry);
    registerSaveContent(registry);
    registerStringsContent(registry);
    registerAnimationContent(registry);
    registerEnemyTableContent(registry);
    registerStoryContent(registry);
}

}  // namespace content

#include "tools/content/ContentKinds.h"

namespace vastomer {

void registerContentKinds(ContentRegistry& registry) {
    registerMasterContent(registry);
    registerStageContent(registry);
    registerSaveContent(registry);
    registerStringsContent(registry);
    registerAnimationContent(registry);
}

}  // namespace vastomer

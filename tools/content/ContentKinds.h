#pragma once

#include "tools/content/ContentRegistry.h"

namespace content {

// One function per family of content files; each adds its checks and dumps.
void registerMasterContent(ContentRegistry& registry);      // master tables, memory backgrounds, references
void registerStageContent(ContentRegistry& registry);       // stage index and stage files
void registerSaveContent(ContentRegistry& registry);        // the save file
void registerStringsContent(ContentRegistry& registry);     // the string tables of both languages
void registerAnimationContent(ContentRegistry& registry);   // animation scripts (.cma)
void registerEnemyTableContent(ContentRegistry& registry);  // the creatures' AI and action tables
void registerStoryContent(ContentRegistry& registry);       // scenario scripts (.bks) and drama parts (.bds)

}  // namespace content

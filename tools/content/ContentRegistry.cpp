#include "tools/content/ContentRegistry.h"

#include <algorithm>

using namespace vastomer;

namespace content {

const ContentDump* ContentRegistry::findDump(const std::string& kind) const {
    for (const ContentDump& dump : dumps_)
        if (std::find(dump.kinds.begin(), dump.kinds.end(), kind) != dump.kinds.end()) return &dump;
    return nullptr;
}

}  // namespace content

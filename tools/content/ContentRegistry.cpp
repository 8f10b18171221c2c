#include "tools/content/ContentRegistry.h"

#include <algorithm>

namespace vastomer {

const ContentDump* ContentRegistry::findDump(const std::string& kind) const {
    for (const ContentDump& dump : dumps_)
        if (std::find(dump.kinds.begin(), dump.kinds.end(), kind) != dump.kinds.end()) return &dump;
    return nullptr;
}

}  // namespace vastomer

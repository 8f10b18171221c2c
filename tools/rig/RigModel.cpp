#include "tools/rig/RigModel.h"

namespace rig {

const Part* Rig::findPart(const std::string& partName) const {
    for (const Part& part : parts)
        if (part.name == partName) return &part;
    return nullptr;
}

const Sheet* Rig::findSheet(const std::string& sheetName) const {
    for (const Sheet& sheet : sheets)
        if (sheet.name == sheetName) return &sheet;
    return nullptr;
}

int Rig::partIndex(const std::string& partName) const {
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (parts[i].name == partName) return static_cast<int>(i);
    return -1;
}

}  // namespace rig

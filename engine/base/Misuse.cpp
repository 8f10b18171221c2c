#include "engine/base/Misuse.h"

#include <cstdio>
#include <utility>

namespace engine {

namespace {

MisuseSink& sinkSlot() {
    static MisuseSink sink;
    return sink;
}

}  // namespace

void setMisuseSink(MisuseSink sink) {
    sinkSlot() = std::move(sink);
}

#ifdef NDEBUG
void reportMisuse(const char* /*where*/, const std::string& /*problem*/) {}
#else
void reportMisuse(const char* where, const std::string& problem) {
    std::string line = std::string("engine: ") + where + ": " + problem;
    if (const MisuseSink& sink = sinkSlot()) {
        sink(line);
        return;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}
#endif

}  // namespace engine

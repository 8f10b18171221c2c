#pragma once

#include "tools/content/ContentRegistry.h"

namespace content {

// Checks what the tables say about each other: bullets fired by weapons, items sold in the shop,
// creatures of grapple events, stages named by hints, and the records a new game needs (the player
// character 0, weapons 0 and 10, wear 0), and that the hint table has its spare last line.
void checkReferences(const ContentContext& context, vastomer::Diagnostics& diagnostics);

}  // namespace content

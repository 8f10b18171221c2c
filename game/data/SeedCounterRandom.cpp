#include "game/data/SeedCounterRandom.h"

#include <climits>
#include <cstdlib>

namespace vastomer {

int SeedCounterRandom::below(int n) {
    if (n < 1) return 0;
    counter_ = counter_ == INT_MAX ? 0 : counter_ + 1;
    std::srand(static_cast<unsigned>(counter_));
    return std::rand() % n;
}

}  // namespace vastomer

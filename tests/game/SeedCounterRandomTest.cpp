// The game's random source: the C library generator reseeded with a counter before each draw.
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "game/data/SeedCounterRandom.h"

using vastomer::SeedCounterRandom;

TEST(SeedCounterRandomTest, ReseedsTheCLibraryGeneratorWithACounter) {
    SeedCounterRandom random;
    std::vector<int> drawn;
    for (int i = 0; i < 6; ++i)
        drawn.push_back(random.below(7 + i));
    for (int i = 0; i < 6; ++i) {
        std::srand(static_cast<unsigned>(i + 1));
        EXPECT_EQ(drawn[static_cast<std::size_t>(i)], std::rand() % (7 + i));
    }
    EXPECT_EQ(random.getCounter(), 6);

    // Two sources give the same sequence: it depends on the counter only.
    SeedCounterRandom again;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(again.below(7 + i), drawn[static_cast<std::size_t>(i)]);
}

TEST(SeedCounterRandomTest, BelowOneGivesZeroWithoutADraw) {
    SeedCounterRandom random;
    EXPECT_EQ(random.below(0), 0);
    EXPECT_EQ(random.below(-5), 0);
    EXPECT_EQ(random.getCounter(), 0);
    EXPECT_EQ(random.below(1), 0);
    EXPECT_EQ(random.getCounter(), 1);
}

// The play screen: stage start, part changes, the camera, the music, the fall-out net.
#include "tests/game/PlayTestSupport.h"

using namespace vastomer;

TEST_F(PlayTest, StageOneStartsAtItsStartPartAndThePlayerLands) {
    ASSERT_NE(startStage(1), nullptr);
    ASSERT_TRUE(runUntilPlayable());
    EXPECT_EQ(DataManager::getInstance()->getCurrentPart(), 1);
    EXPECT_EQ(map()->getMapFile(), "data/map/md_0001_01.tmx");
    EXPECT_TRUE(player()->hasLanded());
    EXPECT_NEAR(player()->getPositionY(), 32.0f + 20.0f, 1.5f);
}

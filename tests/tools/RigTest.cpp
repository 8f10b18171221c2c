// quorin-rig: rig sources read with their mistakes placed, forward kinematics and planting, easing and
// loops, the scripts it writes, and its command line.
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tools/rig/CmaRig.h"
#include "tools/rig/CmaWriter.h"
#include "tools/rig/PoseSampler.h"
#include "tools/rig/RigParser.h"
#include "tools/rig/Skeleton.h"

using namespace rig;

namespace {

// Two limbs hanging from the root: an upper part 8 pixels long and a lower part with a sole.
const std::string RIG = R"(rig test
  size 32 48
  interval 0.05
  root 0 0
  ground -20
  sheet s parts_w{wear}.png 16 16
  sheet f fx.png 16 16
  part upper sheet=s cell=1 pivot=8,0 parent=root  at=0,0  z=1
  part lower sheet=s cell=2 pivot=8,0 parent=upper at=0,-8 z=2 sole=4-12,10
  part extra sheet=f cell=3 pivot=8,8 parent=root  at=5,5  z=3 hidden layer=fx
end
pose rest
  upper=0 lower=0
end
)";

std::string errorOf(const std::string& text) {
    try {
        RigParser::parse(text);
    } catch (const RigError& error) {
        return std::to_string(error.line) + ": " + error.what();
    }
    return "";
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(RigSourceTest, MistakesNameTheirLine) {
    EXPECT_EQ(errorOf(RIG + "pose p\n  nothing=4\nend\n"), "16: no part 'nothing' (in 'nothing=4')");
    EXPECT_EQ(errorOf(RIG + "motion m length=4\n  output body A_{wear}\n  key 1 rest\nend\n"),
              "15: motion 'm' needs a key at frame 0");
    EXPECT_EQ(errorOf(RIG + "motion m length=4\n  output body A_{wear}\n  key 0 rest\n  key 4 rest\nend\n"),
              "18: key frame beyond length");
    EXPECT_EQ(errorOf(RIG + "motion m length=4\n  key 0 rest ease=bouncy\nend\n"),
              "16: unknown ease 'bouncy' (linear, in, out, inout, step, spline)");
    EXPECT_EQ(errorOf(RIG + "motion m length=4\n  key 0 rest\n  output hands A\nend\n"),
              "17: no layer 'hands'");
    EXPECT_EQ(errorOf("rig r\n  sheet s a.png 8 8\n  part a sheet=s parent=b\nend\n"),
              "3: parent 'b' is not an earlier part");
    EXPECT_EQ(errorOf("rig r\n  sheet s a.png 8 8\n  part a sheet=s parent=root blend=GLOW\nend\n"),
              "3: unknown blend word 'GLOW'");
    EXPECT_EQ(errorOf("pose p\nend\n"), "1: poses come after the rig block");
    EXPECT_EQ(errorOf("rig r\n  sheet s a.png 8 8\n  part a sheet=s parent=root sole=6-1\nend\n"),
              "3: write sole=X1-X2,Y")
        << "a sole without its Y";
    EXPECT_EQ(errorOf(RIG + "motion m length=2\n  output body A_{wear}\n  key 0 rest\n  at 1 upper=3\nend\n"),
              "18: an at line changes cell, show, flip or tint only");
    try {
        CmaRig::generate(RigParser::parse(RIG + "motion m length=2\n  output body A\n  key 0 rest\nend\n"),
                         "t");
        ADD_FAILURE() << "a layer drawn from a sheet of each wear needs {wear} in its names";
    } catch (const RigError& error) {
        EXPECT_EQ(error.line, 16);
    }
}

TEST(RigPoseTest, JointsTurnClockwiseAndHangFromTheirParents) {
    Rig rig = RigParser::parse(RIG);
    PoseValues values;
    values.continuous["upper"] = 90;  // the upper part swings forward: its lower joint goes left
    values.continuous["lower"] = -90;
    std::vector<SpriteState> states = Skeleton(rig).pose(values);
    EXPECT_EQ(states[0].x, 0);
    EXPECT_EQ(states[0].rotation, 90);
    EXPECT_EQ(states[1].x, -8);
    EXPECT_EQ(states[1].y, 0);
    EXPECT_EQ(states[1].rotation, 0) << "angles add up the chain";
    EXPECT_FALSE(states[2].visible);

    values.continuous["spin"] = 180;
    values.continuous["root.x"] = 3;
    states = Skeleton(rig).pose(values);
    EXPECT_EQ(states[1].x, 11);
    EXPECT_EQ(states[1].rotation, 180);
    EXPECT_EQ(states[2].x, -2) << "(5, 5) turned half round from (3, 0)";
    EXPECT_EQ(states[2].y, -5);
}

TEST(RigPoseTest, PlantingPutsTheLowestSolePointOnTheGround) {
    Rig rig = RigParser::parse(RIG);
    PoseValues values;
    std::vector<SpriteState> states = Skeleton(rig).pose(values, true);
    // Straight down: the sole is 8 + 10 below the root, so the root rises to -20 + 18.
    EXPECT_EQ(states[0].y, -2);
    values.continuous["upper"] = 60;
    values.continuous["lower"] = -60;  // the lower part stays upright but hangs 4 higher
    states = Skeleton(rig).pose(values, true);
    EXPECT_EQ(states[1].y, -10);
}

TEST(RigMotionTest, KeysEaseLoopsWrapAndDiscreteValuesHold) {
    Rig rig = RigParser::parse(RIG + R"(motion m length=8 loop ease=linear
  output body M_{wear}
  key 0 rest upper=0
  key 4 rest upper=40 upper.cell=5
  at 6 upper.cell=7
end
motion s length=6 ease=spline
  output body S_{wear}
  key 0 upper=0
  key 3 upper=30 ease=step
  key 5 upper=10 ease=spline
end
)");
    PoseSampler linear(rig, rig.motions[0]);
    EXPECT_DOUBLE_EQ(linear.sample(2).continuous.at("upper"), 20);
    EXPECT_DOUBLE_EQ(linear.sample(6).continuous.at("upper"), 20) << "back towards the first key";
    EXPECT_EQ(linear.sample(3).discrete.at("upper.cell"), 1) << "the rig's cell until a key sets one";
    EXPECT_EQ(linear.sample(4).discrete.at("upper.cell"), 5);
    EXPECT_EQ(linear.sample(7).discrete.at("upper.cell"), 7);
    PoseSampler mixed(rig, rig.motions[1]);
    EXPECT_DOUBLE_EQ(mixed.sample(2).continuous.at("upper"), 0) << "a step holds until its key";
    EXPECT_DOUBLE_EQ(mixed.sample(3).continuous.at("upper"), 30);
    EXPECT_DOUBLE_EQ(mixed.sample(5).continuous.at("upper"), 10);
    EXPECT_DOUBLE_EQ(mixed.sample(4).continuous.at("upper"), 20.5)
        << "the middle key's slope follows its neighbours, the last key's is flat";
}

TEST(RigScriptTest, FramesPaintThenMoveOnlyWhatChangesAndRunToTheFullLength) {
    Rig rig = RigParser::parse(RIG + R"(motion m length=6
  output body M_{wear} N_{wear}
  output fx FX
  key 0 rest
  key 2 rest upper=10 ease=linear
  at 1 extra.show=1
  at 3 extra.show=0
  se 1 fx swing01 0.5
  func 2 fx grapplebody a:b
end
)");
    rig.wears = {0, 3};
    auto files = CmaRig::generate(rig, "test.rig");
    std::vector<std::string> names;
    for (const auto& entry : files)
        names.push_back(entry.first);
    EXPECT_EQ(names, (std::vector<std::string>{"FX", "M_0", "M_3", "N_0", "N_3"}));
    std::vector<std::string> body = linesOf(files["M_3"]);
    ASSERT_GE(body.size(), 6u);
    EXPECT_EQ(body[0], "M_3,32,48,0.05");
    EXPECT_EQ(body[2], "0,PAINT,1,parts_w3.png:16:16:1,0,0,1,1,1,0.5,1,0,false,false,0,-,-,-,-");
    EXPECT_EQ(body[3], "0,PAINT,2,parts_w3.png:16:16:2,0,-8,2,1,1,0.5,1,0,false,false,0,-,-,-,-");
    EXPECT_EQ(body[4], "1,MOVE,1,-,0,0,1,1,1,0.5,1,5,0,-,-,-,-,false,false");
    EXPECT_EQ(body.back(), "5,MOVE,2,-,-1,-8,2,1,1,0.5,1,10,0,-,-,-,-,false,false")
        << "nothing changes after frame 2, yet the last frame holds a line";
    std::vector<std::string> fx = linesOf(files["FX"]);
    EXPECT_EQ(fx[2], "1,PAINT,3,fx.png:16:16:3,5,5,3,1,1,0.5,0.5,0,false,false,0,-,-,-,-");
    EXPECT_EQ(fx[3], "1,PLAYSE,1,audio/se/swing01.mp3,0.5");
    EXPECT_EQ(fx[4], "2,FUNC,grapplebody,a:b");
    EXPECT_EQ(fx[5], "3,MOVE,3,-,5,5,3,1,1,0.5,0.5,0,0,-,-,-,0,false,false") << "hidden: transparent";
    EXPECT_EQ(fx.back().substr(0, 2), "5,");
}

TEST(RigScriptTest, DecimalsArePlainAndShort) {
    EXPECT_EQ(CmaWriter::decimal(0.05, 7), "0.05");
    EXPECT_EQ(CmaWriter::decimal(1.0 / 15.0, 7), "0.0666667");
    EXPECT_EQ(CmaWriter::decimal(-0.00001, 2), "0");
    EXPECT_EQ(CmaWriter::decimal(-3.5, 2), "-3.5");
    EXPECT_EQ(CmaWriter::decimal(12, 4), "12");
}

class RigCommandTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) {
        testsupport::writeFile(dir_ / name, text);
        return dir_ / name;
    }
    testsupport::TempFolder dir_;
};

TEST_F(RigCommandTest, WritesTheScriptsAndTheirListOrNothingAtAll) {
    const std::string good =
        write("good.rig", RIG + "motion m length=2\n  output body M_{wear}\n  key 0 rest\nend\n");
    const std::string bad = write("bad.rig", RIG + "motion m length=2\n  key 0 nope\nend\n");
    std::ostringstream err;
    const std::string out = dir_ / "out", list = dir_ / "lists/good.list";
    EXPECT_EQ(CmaRig().run({"--out-dir", out, "--list", list, good}, err), 0) << err.str();
    EXPECT_TRUE(std::filesystem::exists(out + "/M_0.cma"));
    std::ifstream listed(list);
    std::string first;
    std::getline(listed, first);
    EXPECT_EQ(first, std::filesystem::absolute(out + "/M_0.cma").lexically_normal().string());

    err.str("");
    EXPECT_EQ(CmaRig().run({"--out-dir", dir_ / "out2", good, bad}, err), 1);
    EXPECT_EQ(err.str(), bad + ":16: no pose 'nope'\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out2")) << "nothing is written when a source is wrong";
    EXPECT_EQ(CmaRig().run({"--check", good}, err), 0);
    EXPECT_EQ(CmaRig().run({"--frobnicate"}, err), 2);
    EXPECT_EQ(CmaRig().run({good, good}, err), 1) << "the same script made twice";
}

}  // namespace

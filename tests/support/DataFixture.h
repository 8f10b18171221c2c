#pragma once

#include <string>

#include <gtest/gtest.h>

#include "engine/platform/FileUtils.h"
#include "game/app/GameServices.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

// Scratch resources and a scratch save folder for the data layer's tests: fixture tables written per
// test (or the game's real tables from the source tree), fresh DataManager and StringsManager, and
// strings files so that the language line of the save file is known.
class DataFixture : public ::testing::Test {
protected:
    void SetUp() override {
        resetSingletons();
        auto* files = engine::FileUtils::getInstance();
        files->resetToDefaults();
        files->setResourceRoot(resources_.path());
        files->setSearchPaths({"res", "res/data"});
        files->setWritablePath(saveDir_.path());
        write("strings/system_en.strings", "LANGUAGE;English\n");
        write("strings/system_ja.strings", "LANGUAGE;Japanese\n");
    }

    void TearDown() override {
        resetSingletons();
        auto* files = engine::FileUtils::getInstance();
        files->setWriteFaultForTesting(engine::FileUtils::WriteFault::NONE);
        files->resetToDefaults();
    }

    static void resetSingletons() { vastomer::GameServices::destroy(); }

    // A file of the scratch resource tree, by its name under "res/data" ("master/weapon_master.data").
    void write(const std::string& name, const std::string& text) {
        testsupport::writeFile(resources_ / ("res/data/" + name), text);
    }

    // The game's own tables from the source tree and its built animations (the scratch tree still
    // supplies the strings).
    void useRealTables() {
        engine::FileUtils::getInstance()->setSearchPaths({resources_ / "res/data",
                                                          testsupport::sourceDir() + "/res/data",
                                                          testsupport::runtimeDir() + "/res"});
    }

    // A small cast: the player, a creature, weapons 0, 10, 11, 12, two bullets, three wears, a grapple
    // event, two hints, a shop and three stages (1 → 2 → 3, needing progress 0, 1, 2).
    void writeFixtureTables() {
        write("master/character_master.data",
              "0,player,100,32,48,16,40,10,-12,12,16,0,2,0,0,false,false,0\n"
              "5,SPOREPOD,20,32,32,24,24,0,-12,0,0,0,0,6,5,false,false,110\n");
        write("master/weapon_master.data",
              "0,IRON_FAN,12,24,20,24,28,24,-1,1,0,1,2,3,0\n"
              "10,POCKET_PISTOL,0,20,18,28,8,8,1,5,8,1,1,1,60\n"
              "11,REPEATER,0,8,18,28,8,8,2,5,20,2,2,2,90\n"
              "12,SCATTER_CANNON,0,60,20,26,12,12,9,6,4,3,3,3,120,heavy\n");
        write("master/bullet_master.data", "1,5,6,1,20,8,4,0\n2,5,4,1,24,6,3,0\n");
        write("master/wear_master.data", "0,0,0,0,none\n1,10,0,0,saintfield\n3,40,0,0,powerarmor\n");
        write("master/combine_master.data", "5,0,5,false,true,false,false,false\n");
        write("master/hint_master.data", "1,1,0,-1\n2,1,0,-1\n");
        write("master/shoplineup_master.data", "11,5000,weapon\n1,2500,wear\n");
        write("master/situation_master.data", "5,Spore Pod drowse\n");
        write("master/stages_master.data", "1,0\n2,1\n3,2\n");
        writeStage(1, 2);
        writeStage(2, 3);
        writeStage(3, -1);
    }

    void writeStage(int stage, int next) {
        std::string n = std::to_string(stage);
        write("master/stage/stage_000" + n + ".data",
              n + ",Stage " + n + "\n1,2,3,4\n1\n4\n" + std::to_string(next) + "\n");
    }

    vastomer::DataManager* start(const std::string& language = "en") {
        vastomer::StringsManager::getInstance()->setLanguage(language);
        return vastomer::DataManager::getInstance();
    }

    std::string savePath() const { return saveDir_ / "vastomer/r.quorin.sav"; }
    std::string saveText() const { return testsupport::readFile(savePath()); }
    void writeSave(const std::string& text) { testsupport::writeFile(savePath(), text); }

    testsupport::TempFolder resources_;
    testsupport::TempFolder saveDir_;
};

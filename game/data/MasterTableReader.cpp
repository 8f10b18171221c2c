#include "game/data/MasterTableReader.h"

#include "game/data/MasterColumns.h"
#include "game/data/MasterText.h"

namespace vastomer {

namespace {

// Runs `readRow` over every data line and keeps the records of the lines that read cleanly.
template <typename Record, typename ReadRow>
MasterRows<Record> readRows(std::string_view text, const std::string& file, Diagnostics* diagnostics,
                            ReadRow readRow) {
    MasterRows<Record> rows;
    for (const MasterLine& line : MasterText::readLines(text)) {
        MasterColumns columns(line, file, diagnostics);
        Record record;
        if (readRow(columns, record) && columns.good())
            rows.push_back(MasterRow<Record>{line.number, record});
    }
    return rows;
}

}  // namespace

MasterRows<CharacterMaster> MasterTableReader::readCharacters(std::string_view text, const std::string& file,
                                                              Diagnostics* diagnostics) {
    return readRows<CharacterMaster>(text, file, diagnostics, [](MasterColumns& c, CharacterMaster& r) {
        if (!c.require(18)) return false;
        c.ignoreBeyond(18);
        r.id = c.integer(0, "id");
        r.name = c.text(1, "name");
        r.hp = c.integer(2, "hp");
        r.width = c.integer(3, "width");
        r.height = c.integer(4, "height");
        r.bodyWidth = c.integer(5, "bodyWidth");
        r.bodyHeight = c.integer(6, "bodyHeight");
        r.moveSpeed = c.integer(7, "moveSpeed");
        r.motionA = c.integer(8, "motionA");
        r.jumpPower = c.integer(9, "jumpPower");
        r.motionC = c.integer(10, "motionC");
        r.spare = c.integer(11, "spare");
        r.motionB = c.integer(12, "motionB");
        r.attack = c.integer(13, "attack");
        r.aiId = c.integer(14, "aiId");
        r.flying = c.flag(15, "flying");
        r.flag2 = c.flag(16, "flag2");
        r.score = c.integer(17, "score");
        return true;
    });
}

MasterRows<WearMaster> MasterTableReader::readWear(std::string_view text, const std::string& file,
                                                   Diagnostics* diagnostics) {
    return readRows<WearMaster>(text, file, diagnostics, [](MasterColumns& c, WearMaster& r) {
        if (!c.require(5)) return false;
        c.ignoreBeyond(5);
        r.id = c.integer(0, "id");
        r.hpBonus = c.integer(1, "hpBonus");
        r.spBonus = c.integer(2, "spBonus");
        r.lpBonus = c.integer(3, "lpBonus");
        r.effect = c.text(4, "effect");
        if (!isKnownWearEffect(r.effect))
            c.note("effect \"" + r.effect + "\" is not a known keyword; no effect");
        return true;
    });
}

MasterRows<WeaponMaster> MasterTableReader::readWeapons(std::string_view text, const std::string& file,
                                                        Diagnostics* diagnostics) {
    return readRows<WeaponMaster>(text, file, diagnostics, [](MasterColumns& c, WeaponMaster& r) {
        if (!c.require(15)) return false;
        c.ignoreBeyond(16);
        r.id = c.integer(0, "id");
        r.name = c.text(1, "name");
        r.power = c.integer(2, "power");
        r.interval = c.integer(3, "interval");
        r.offset.x = static_cast<float>(c.integer(4, "offsetX"));
        r.offset.y = static_cast<float>(c.integer(5, "offsetY"));
        r.size.width = static_cast<float>(c.integer(6, "width"));
        r.size.height = static_cast<float>(c.integer(7, "height"));
        r.bulletId = c.integer(8, "bulletId");
        r.hasBullet = r.bulletId != -1;
        r.hitEffect = c.integer(9, "hitEffect");
        r.magazineSize = c.integer(10, "magazineSize");
        r.attackAnim1 = c.integer(11, "attackAnim1");
        r.attackAnim2 = c.integer(12, "attackAnim2");
        r.attackAnim3 = c.integer(13, "attackAnim3");
        r.reloadTime = c.integer(14, "reloadTime");
        if (c.count() > 15) {
            r.trait = c.text(15, "trait");
            if (r.trait != "heavy") c.note("trait \"" + r.trait + "\" is not a known keyword; no effect");
        }
        return true;
    });
}

MasterRows<BulletMaster> MasterTableReader::readBullets(std::string_view text, const std::string& file,
                                                        Diagnostics* diagnostics) {
    return readRows<BulletMaster>(text, file, diagnostics, [](MasterColumns& c, BulletMaster& r) {
        if (!c.require(8)) return false;
        c.ignoreBeyond(10);
        r.id = c.integer(0, "id");
        r.hitEffect = c.integer(1, "hitEffect");
        r.power = c.integer(2, "power");
        r.hp = c.integer(3, "hp");
        r.speed = static_cast<float>(c.integer(4, "speed"));
        r.size.width = c.real(5, "width");
        r.size.height = c.real(6, "height");
        r.moveType = c.integer(7, "moveType");
        if (c.count() >= 10) {
            r.velocity.x = static_cast<float>(c.integer(8, "velocityX"));
            r.velocity.y = static_cast<float>(c.integer(9, "velocityY"));
        } else if (c.count() == 9) {
            // Half a velocity is no velocity: keep the bullet, without one.
            c.note("velocity needs two columns (x and y); the single one is ignored");
        }
        return true;
    });
}

MasterRows<ShopLineupEntry> MasterTableReader::readShopLineup(std::string_view text, const std::string& file,
                                                              Diagnostics* diagnostics) {
    return readRows<ShopLineupEntry>(text, file, diagnostics, [](MasterColumns& c, ShopLineupEntry& r) {
        if (!c.require(3)) return false;
        c.ignoreBeyond(3);
        r.itemId = c.integer(0, "itemId");
        r.price = c.integer(1, "price");
        std::string kind = c.text(2, "kind");
        r.isWear = kind == "wear";
        if (kind != "wear" && kind != "weapon")
            c.note("kind \"" + kind + "\" is neither wear nor weapon; sold as a weapon");
        return true;
    });
}

MasterRows<HintEntry> MasterTableReader::readHints(std::string_view text, const std::string& file,
                                                   Diagnostics* diagnostics) {
    return readRows<HintEntry>(text, file, diagnostics, [](MasterColumns& c, HintEntry& r) {
        if (!c.require(4)) return false;
        c.ignoreBeyond(4);
        r.scriptNo = c.integer(0, "scriptNo");
        r.needCleared = c.integer(1, "needCleared");
        c.integer(2, "unused");  // must hold a number; its value is not kept
        r.notCleared = c.integer(3, "notCleared");
        r.needWear = -1;
        return true;
    });
}

MasterRows<CombineEntry> MasterTableReader::readCombines(std::string_view text, const std::string& file,
                                                         Diagnostics* diagnostics) {
    return readRows<CombineEntry>(text, file, diagnostics, [](MasterColumns& c, CombineEntry& r) {
        if (!c.require(8)) return false;
        c.ignoreBeyond(8);
        r.characterId = c.integer(0, "characterId");
        r.key = c.integer(1, "key");
        r.dramaNo = c.integer(2, "dramaNo");
        r.gameOverFlag = c.flag(3, "gameOverFlag");
        r.attachFlag = c.flag(4, "attachFlag");
        r.enemyVisibleFlag = c.flag(5, "enemyVisibleFlag");
        r.bulletFlag = c.flag(6, "bulletFlag");
        r.redirectFlag = c.flag(7, "redirectFlag");
        return true;
    });
}

MasterRows<SituationEntry> MasterTableReader::readSituations(std::string_view text, const std::string& file,
                                                             Diagnostics* diagnostics) {
    return readRows<SituationEntry>(text, file, diagnostics, [](MasterColumns& c, SituationEntry& r) {
        if (!c.require(2)) return false;
        if (c.count() > 2) c.note("the text holds a comma; only the part before it is kept");
        r.id = c.integer(0, "id");
        r.text = c.text(1, "text");
        return true;
    });
}

MasterRows<int> MasterTableReader::readMemoryBackgrounds(std::string_view text, const std::string& file,
                                                         Diagnostics* diagnostics) {
    // This list keeps its own rules: carriage returns are not removed before the comment test.
    MasterRows<int> rows;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        ++number;
        start = end + 1;
        if (line.empty() || MasterText::startsWith(line, "//")) continue;
        std::string value = MasterText::trim(line);
        LeadingInt read = MasterText::leadingInt(value);
        if (MasterText::isNumber(value) && read.status == LeadingInt::Status::OK) {
            rows.push_back(MasterRow<int>{number, read.value});
        } else if (!value.empty() && diagnostics) {
            diagnostics->report(file, number, "\"" + value + "\" is not a background number; line skipped");
        }
    }
    return rows;
}

bool MasterTableReader::isKnownWearEffect(const std::string& effect) {
    static const char* const kKnown[] = {"none",   "saintfield", "mpincrup", "powerarmor", "buttnaked",
                                         "lustup", "speedup",    "jumpup",   "autoheal"};
    for (const char* known : kKnown)
        if (effect == known) return true;
    return false;
}

}  // namespace vastomer

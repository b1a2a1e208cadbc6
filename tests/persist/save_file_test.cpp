#include "persist/save_file.h"

#include <filesystem>
#include <limits>
#include <vector>

#include "persist/block_codec.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"

namespace {

// 2025-12-06 12:00 UTC, far from midnight in every time zone the tests run in.
constexpr int64_t Noon = 1765022400;

class SaveFileTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        headless::SetDate(Noon);
        path = SaveFilePath();
    }
    std::string path;

    void WriteBytes(const std::vector<uint8_t>& bytes) {
        ASSERT_TRUE(platform::WriteWholeFile(path, bytes.data(), bytes.size()));
    }
    std::vector<uint8_t> FileBytes(const std::string& name) {
        std::vector<uint8_t> bytes;
        platform::ReadWholeFile(name, bytes);
        return bytes;
    }
    SaveRecord StoredRecord() {
        const auto contents = ReadSaveFile(path);
        EXPECT_TRUE(contents && contents->decoded);
        return contents ? contents->record : SaveRecord{};
    }
};

std::string Today() { return platform::FormatDate("%yyyy/%mm/%dd", platform::CurrentDate()); }

}  // namespace

TEST_F(SaveFileTest, NewPlayerGetsTheStartingBalanceWrittenAtOnce) {
    Game.TotalStaked = 0;
    LoadSaveData();
    EXPECT_EQ(Game.Points, 1000);
    EXPECT_EQ(Game.FunPoints, 5000);
    EXPECT_EQ(Game.LastDailyDate, "0");
    EXPECT_EQ(Game.DailyAvailable, 1);
    const SaveRecord record = StoredRecord();
    EXPECT_EQ(SaveFieldText(record, SavePointsAt), "1000");
    EXPECT_EQ(SaveFieldText(record, SaveDailyDateAt), "0");
    EXPECT_EQ(SaveFieldText(record, SaveFunPointsAt), "5000");
    for (size_t i = SaveStakedAt; i < SaveRecordSize; ++i) EXPECT_EQ(record[i], 0) << i;

    // An empty file is a new player too.
    WriteBytes({});
    Game.Points = 5;
    LoadSaveData();
    EXPECT_EQ(Game.Points, 1000);
    EXPECT_EQ(SaveFieldText(StoredRecord(), SavePointsAt), "1000");
}

TEST_F(SaveFileTest, ValuesSurviveStoreAndLoad) {
    LoadSaveData();
    Game.Points = 123456789;
    Game.FunPoints = -250;
    Game.TotalStaked = 987654;
    Game.TotalWon = 4321;
    Game.LastDailyDate = "2025/11/30";
    StoreSaveData();
    InitGameState(0, 0);
    LoadSaveData();
    EXPECT_EQ(Game.Points, 123456789);
    EXPECT_EQ(Game.FunPoints, -250);
    EXPECT_EQ(Game.TotalStaked, 987654);
    EXPECT_EQ(Game.TotalWon, 4321);
    EXPECT_EQ(Game.LastDailyDate, "2025/11/30");
}

TEST_F(SaveFileTest, ShorterNumberLeavesNoDigitsBehind) {
    LoadSaveData();
    Game.Points = 10000;
    StoreSaveData();
    Game.Points = 999;
    StoreSaveData();
    const SaveRecord record = StoredRecord();
    const std::vector<uint8_t> field(record.begin(), record.begin() + SaveFieldSize);
    std::vector<uint8_t> expected(SaveFieldSize, 0);
    expected[0] = '9';
    expected[1] = '9';
    expected[2] = '9';
    EXPECT_EQ(field, expected);
}

TEST_F(SaveFileTest, DailyPrizeIsAvailableUnlessTakenToday) {
    LoadSaveData();
    struct Case {
        std::string date;
        int64_t available;
    } cases[] = {{Today(), 0}, {"2025/12/05", 1}, {"2025/12/07", 1}, {"2024/12/06", 1}, {"0", 1}, {"", 1}};
    for (const Case& c : cases) {
        Game.LastDailyDate = c.date;
        StoreSaveData();
        LoadSaveData();
        EXPECT_EQ(Game.LastDailyDate, c.date);
        EXPECT_EQ(Game.DailyAvailable, c.available) << "date '" << c.date << "'";
    }
    EXPECT_EQ(Today(), "2025/12/06");
}

TEST_F(SaveFileTest, UndecodableFilesZeroThePlayerAndAreKeptAside) {
    const std::vector<std::vector<uint8_t>> damaged = {
        {0x42},                                                     // one byte: shorter than the header
        {'N', 'O', 'P', 'E', 0, 0, 0, 0, 250, 0, 0, 0, 0, 0, 0, 0,  // wrong magic
         0,   0,   4,   0,   0, 0, 0, 0, '1', 0, 0},
    };
    for (const auto& bytes : damaged) {
        std::filesystem::remove(path + ".damaged");
        WriteBytes(bytes);
        Game.Points = 777;
        Game.FunPoints = 777;
        Game.TotalWon = 777;
        Game.TotalStaked = 777;
        LoadSaveData();
        EXPECT_EQ(Game.Points, 0);
        EXPECT_EQ(Game.FunPoints, 0);
        EXPECT_EQ(Game.TotalWon, 0);
        EXPECT_EQ(Game.TotalStaked, 0);
        EXPECT_EQ(Game.LastDailyDate, "");
        EXPECT_EQ(Game.DailyAvailable, 1);
        EXPECT_EQ(FileBytes(path + ".damaged"), bytes);
        // The shutdown's save then writes a sound file without touching the copy.
        StoreSaveData();
        EXPECT_EQ(SaveFieldText(StoredRecord(), SavePointsAt), "0");
        EXPECT_EQ(FileBytes(path + ".damaged"), bytes);
    }
}

TEST_F(SaveFileTest, EarlierDamagedCopiesAreNeverOverwritten) {
    WriteBytes({1, 2, 3});
    LoadSaveData();
    LoadSaveData();  // the same damage again makes no second copy
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged.2"));
    WriteBytes({4, 5, 6});
    LoadSaveData();
    EXPECT_EQ(FileBytes(path + ".damaged"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(FileBytes(path + ".damaged.2"), (std::vector<uint8_t>{4, 5, 6}));
}

TEST_F(SaveFileTest, LargestValuesPackFarBelowTheLimit) {
    LoadSaveData();
    Game.Points = std::numeric_limits<int64_t>::max();
    Game.FunPoints = std::numeric_limits<int64_t>::min();
    Game.TotalStaked = std::numeric_limits<int64_t>::max();
    Game.TotalWon = std::numeric_limits<int64_t>::max() - 123456789;
    Game.LastDailyDate = "2099/12/31";
    StoreSaveData();
    EXPECT_LT(platform::FileSize(path), 150);
    InitGameState(0, 0);
    LoadSaveData();
    EXPECT_EQ(Game.Points, std::numeric_limits<int64_t>::max());
    EXPECT_EQ(Game.FunPoints, std::numeric_limits<int64_t>::min());
    EXPECT_EQ(Game.TotalWon, std::numeric_limits<int64_t>::max() - 123456789);
}

TEST_F(SaveFileTest, FieldsAreCutAtFiftyBytesAndReadAsNumbers) {
    SaveRecord record{};
    PutSaveField(record, SaveDailyDateAt, std::string(60, 'x'));
    EXPECT_EQ(SaveFieldText(record, SaveDailyDateAt), std::string(50, 'x'));
    EXPECT_EQ(record[SaveFunPointsAt], 0);  // the next field is untouched
    PutSaveField(record, SavePointsAt, "junk");
    EXPECT_EQ(SaveFieldNumber(record, SavePointsAt), 0);
    PutSaveField(record, SavePointsAt, "99999999999999999999999");
    EXPECT_EQ(SaveFieldNumber(record, SavePointsAt), std::numeric_limits<int64_t>::max());
    EXPECT_FALSE(ReadSaveFile(path + ".missing"));
}

TEST_F(SaveFileTest, AHeaderThatClaimsLessThanTheWholeRecordIsDamage) {
    std::vector<uint8_t> shortRecord(100, '7');
    const std::vector<uint8_t> packed = PackBlocks(shortRecord.data(), shortRecord.size());
    WriteBytes(packed);
    const auto contents = ReadSaveFile(path);
    ASSERT_TRUE(contents);
    EXPECT_FALSE(contents->decoded);
    LoadSaveData();
    EXPECT_EQ(SaveLoadState(), SaveState::Damaged);
    EXPECT_EQ(FileBytes(path + ".damaged"), packed);
}

// The game's folder on a disk that fills up or turns read-only, for real: a
// small tmpfs mounted as APPDATA in a mount namespace of the test's own. The
// old save survives byte for byte, the game plays on, the player is told once
// in their language that the points cannot be saved and where, and the first
// write that works again catches up and says so.
#include <sched.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "assets/catalogue_numbers.h"
#include "core/account_keeper.h"
#include "core/startup.h"
#include "persist/history.h"
#include "persist/save_file.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "tests/support/scenario.h"

namespace {

namespace fs = std::filesystem;

// A mount namespace of this process's own, so that the test's mounts are
// seen by nobody else; empty when that is possible, else why not.
std::string PrivateMounts() {
    static const std::string why = []() -> std::string {
        if (unshare(CLONE_NEWNS) != 0) return std::string("unshare(CLONE_NEWNS): ") + strerror(errno);
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return std::string("making / private: ") + strerror(errno);
        return {};
    }();
    return why;
}

std::vector<uint8_t> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes a filler file until the disk refuses another byte.
void FillDisk(const std::string& path) {
    FILE* filler = fopen(path.c_str(), "wb");
    ASSERT_NE(filler, nullptr);
    const std::vector<char> block(4096, 'x');
    while (fwrite(block.data(), 1, block.size(), filler) == block.size() && fflush(filler) == 0) {
    }
    fclose(filler);
    // The last page may take a few bytes more: fill that too.
    filler = fopen(path.c_str(), "ab");
    ASSERT_NE(filler, nullptr);
    while (fputc('x', filler) != EOF && fflush(filler) == 0) {
    }
    fclose(filler);
}

// The line of a message picture, since the log was last cleared, that ends
// with `end`; empty when there is none.
std::string MessageLineEnding(const std::string& end) {
    for (const headless::DrawRecord& record : headless::SpriteDrawLog())
        if (record.kind == headless::DrawKind::SpriteText && record.text.size() >= end.size() &&
            record.text.compare(record.text.size() - end.size(), end.size(), end) == 0)
            return record.text;
    return {};
}

constexpr std::array<int64_t, 3> AllOnes{1, 1, 1};
constexpr std::array<int64_t, 3> AllTwos{2, 2, 2};

// Language 0 German, 1 English.
class FullDiskTest : public ScenarioTest, public ::testing::WithParamInterface<int64_t> {
protected:
    void SetUp() override {
        GameTest::SetUp();
        if (const std::string why = PrivateMounts(); !why.empty())
            GTEST_SKIP() << "cannot mount a tmpfs as the game's folder here (" << why
                         << "): run as root or inside `unshare -rn`";
        // Small enough to fill at once; the game's three files take a page each.
        if (mount("nebulor-test", appData.c_str(), "tmpfs", 0, "size=128k,mode=0755") != 0)
            GTEST_SKIP() << "mount -t tmpfs: " << strerror(errno);
        mounted = true;
        language = GetParam();
        Game.IntroOn = 0;
        Game.Language = language;
        SaveSettings();
    }
    // The start the ScenarioTest fixture makes, once the folder is as the test wants it.
    void StartGame() {
        ASSERT_TRUE(Startup());
        RunFrames(1);
        EndDemoByClick();
        RunFrames(2);
    }
    void TearDown() override {
        if (mounted) umount2(appData.c_str(), MNT_DETACH);
        ScenarioTest::TearDown();
    }
    // One game: a spin that wins 50 for its stake of 10, and the win collected.
    void PlayOneGame() {
        ArrangeNextSpin({AllOnes, AllOnes, AllOnes, AllTwos, AllTwos});
        ClickButton(buttons::Start);
        ASSERT_TRUE(SettleSpin());
        ASSERT_TRUE(RunUntil([] { return Game.CurrentWin == 50; }, 1000));
        ClickButton(buttons::Start);
        ASSERT_TRUE(FinishCountUps());
        RunFrames(80);  // the message, if any, fades in
    }
    int64_t SavedPoints() {
        const auto contents = ReadSaveFile(SaveFilePath());
        EXPECT_TRUE(contents && contents->decoded);
        return contents && contents->decoded ? SaveFieldNumber(contents->record, SavePointsAt) : -1;
    }
    std::string CannotSave() const {
        return language == 0 ? "Die Punkte k\xf6nnen nicht gespeichert werden!"
                             : "The points cannot be saved!";
    }
    std::string SavedAgain() const {
        return language == 0 ? "Die Punkte werden wieder gespeichert." : "The points are saved again.";
    }
    std::string FolderWord() const { return language == 0 ? "Ordner:" : "Folder:"; }

    bool mounted = false;
};

}  // namespace

TEST_P(FullDiskTest, AFullDiskKeepsTheOldSaveSaysSoOnceAndCatchesUpWhenThereIsRoomAgain) {
    StartGame();
    PlayOneGame();
    ASSERT_EQ(SavedPoints(), Game.Points);
    const std::string save = SaveFilePath();
    const std::vector<uint8_t> before = Bytes(save);
    const int64_t savedBefore = Game.Points;

    FillDisk(appData + "filler");
    headless::ClearSpriteDrawLog();
    PlayOneGame();
    EXPECT_TRUE(AccountSaveFailing());
    EXPECT_TRUE(MessageShown(CannotSave()));
    EXPECT_TRUE(MessageShown(FolderWord()));
    // And where: the folder's end whole, its front cut to fit the message.
    const std::string where = MessageLineEnding("/Dax-Fenno/Nebulor v2.5/");
    ASSERT_FALSE(where.empty());
    EXPECT_LE(platform::SystemTextWidth(SystemFont15, where), 400) << where;
    EXPECT_TRUE(SettingsFolder() == where || where.rfind("...", 0) == 0) << where;
    EXPECT_EQ(Bytes(save), before);  // the old save survives untouched
    EXPECT_FALSE(fs::exists(save + ".damaged"));
    for (const auto& entry : fs::directory_iterator(fs::path(save).parent_path()))
        EXPECT_EQ(entry.path().string().find(".tmp."), std::string::npos)
            << entry.path();  // nothing half written

    // The game goes on, and does not say it again at every game.
    headless::ClearSpriteDrawLog();
    const int64_t spinsBefore = Game.TotalStaked;
    for (int game = 0; game < 3; ++game) PlayOneGame();
    EXPECT_GT(Game.TotalStaked, spinsBefore);
    EXPECT_FALSE(MessageShown(CannotSave()));
    EXPECT_EQ(Bytes(save), before);
    EXPECT_EQ(Game.Points, savedBefore + 4 * 40);

    // Room again: the retry or the next game writes what the title shows.
    fs::remove(appData + "filler");
    headless::ClearSpriteDrawLog();
    PlayOneGame();
    EXPECT_FALSE(AccountSaveFailing());
    EXPECT_TRUE(MessageShown(SavedAgain()));
    EXPECT_EQ(SavedPoints(), Game.Points);
    const std::vector<HistoryEntry> history = HistoryFile(HistoryFilePath()).Load();
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.back().account.points, Game.Points);
    // Every game played on the full disk reached the history late, none lost.
    int64_t staked = 0;
    for (const HistoryEntry& e : history)
        if (e.kind == HistoryKind::Game) staked += e.stake;
    EXPECT_EQ(staked, Game.TotalStaked);
}

TEST_P(FullDiskTest, AReadOnlyFolderLetsTheGamePlayAndSaysOnceThatItCannotSave) {
    // The settings and the save are there; then the folder turns read-only
    // and the game starts in it.
    const std::string save = SaveFilePath();
    const std::vector<uint8_t> before = Bytes(save);
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(mount(nullptr, appData.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, "size=128k"), 0)
        << strerror(errno);
    ASSERT_FALSE(platform::WriteWholeFile(appData + "probe", before.data(), before.size()));
    headless::ClearSpriteDrawLog();
    StartGame();
    const int64_t startPoints = Game.Points;
    PlayOneGame();
    EXPECT_TRUE(AccountSaveFailing());
    EXPECT_TRUE(MessageShown(CannotSave()));
    headless::ClearSpriteDrawLog();
    for (int game = 0; game < 3; ++game) PlayOneGame();
    EXPECT_FALSE(MessageShown(CannotSave()));  // once
    EXPECT_TRUE(platform::WindowExists(WindowMain));
    EXPECT_EQ(Game.Points, startPoints + 4 * 40);  // played on
    EXPECT_EQ(Bytes(save), before);
    EXPECT_FALSE(fs::exists(HistoryFilePath()));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, FullDiskTest, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param == 0 ? "German" : "English"; });

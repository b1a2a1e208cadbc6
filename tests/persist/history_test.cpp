#include "persist/history.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/platform.h"
#include "tests/support/test_game.h"

namespace {

HistoryEntry Entry(int64_t sequence, int64_t points) {
    HistoryEntry e;
    e.sequence = sequence;
    e.kind = HistoryKind::Game;
    e.date = "2026/12/09";
    e.time = "12:00:00";
    e.stake = 10;
    e.bid = 10;
    e.grid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 1, 2, 3};
    e.wins = {{3, 1, 5, 50}, {0, 10, 2, 20}};
    e.gambled = true;
    e.ladderStart = 6;
    e.ladderEnd = 7;
    e.ladderValue = 400;
    e.win = 400;
    e.account = {points, 5000, 10 * sequence, 400, "2026/12/09"};
    return e;
}

std::string Lines(int64_t from, int64_t to) {
    std::string text;
    for (int64_t i = from; i <= to; ++i) text += FormatHistoryLine(Entry(i, i * 100));
    return text;
}

class HistoryTest : public GameTest {};

}  // namespace

TEST_F(HistoryTest, ALineReadsBackAsItWasWritten) {
    const HistoryEntry written = Entry(7, 1234);
    const std::string line = FormatHistoryLine(written);
    ASSERT_EQ(line.back(), '\n');
    const auto read = ParseHistoryLine(std::string_view(line).substr(0, line.size() - 1));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->sequence, 7);
    EXPECT_EQ(read->grid, written.grid);
    ASSERT_EQ(read->wins.size(), 2u);
    EXPECT_EQ(read->wins[0].line, 3);
    EXPECT_EQ(read->wins[1].pay, 20);
    EXPECT_TRUE(read->gambled);
    EXPECT_EQ(read->ladderEnd, 7);
    EXPECT_EQ(read->account, written.account);
}

TEST_F(HistoryTest, DamagedTornReorderedAndBinaryLinesAreDroppedOneByOne) {
    std::string good = Lines(1, 3);
    std::string flipped = FormatHistoryLine(Entry(4, 400));
    flipped[flipped.find("points=") + 7] = '9';  // the CRC no longer fits
    const std::string reordered = FormatHistoryLine(Entry(2, 999));
    const std::string binary = std::string("N2H \x01\xff\x00 crc=00000000\n", 21);
    const std::string enormous = std::string(5000, 'x') + "\n";
    const std::string after = FormatHistoryLine(Entry(5, 500));
    std::string torn = FormatHistoryLine(Entry(6, 600));
    torn.resize(torn.size() / 2);  // the write a crash cut off
    const std::string text = good + flipped + reordered + binary + enormous + after + torn;
    const std::vector<HistoryEntry> entries = ParseHistory(text, false);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[2].sequence, 3);
    EXPECT_EQ(entries.back().sequence, 5);
    EXPECT_EQ(entries.back().account.points, 500);
    // A read that starts inside the file never trusts its first piece.
    EXPECT_EQ(ParseHistory(good, true).size(), 2u);
}

TEST_F(HistoryTest, TheFileKeepsTheNewestThousandLinesAndAHugeFileIsReadFromItsEnd) {
    const std::string path = appData + "History.dat";
    HistoryFile history(path);
    history.Load();
    for (int64_t i = 1; i <= 1250; ++i) ASSERT_TRUE(history.Append({FormatHistoryLine(Entry(i, i))}));
    std::vector<HistoryEntry> entries = HistoryFile(path).Load();
    ASSERT_GE(entries.size(), HistoryKeptLines);
    EXPECT_EQ(entries.back().sequence, 1250);
    EXPECT_LE(platform::FileSize(path), static_cast<int64_t>((HistoryKeptLines + HistorySlack) * 400));

    // 8 MB of junk in front: only the tail is read, the newest lines survive.
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        const std::string junk(1 << 20, 'j');
        for (int i = 0; i < 8; ++i) file << junk;
        file << "\n" << Lines(1, 20);
    }
    HistoryFile huge(path);
    entries = huge.Load();
    ASSERT_EQ(entries.size(), 20u);
    // The next line rewrites the file without the junk.
    ASSERT_TRUE(huge.Append({FormatHistoryLine(Entry(21, 2100))}));
    EXPECT_LT(platform::FileSize(path), 64 * 1024);
    EXPECT_EQ(HistoryFile(path).Load().size(), 21u);
}

TEST_F(HistoryTest, FilesThatAreNoFilesAreRefusedAndLinksAreWrittenThrough) {
    const std::string fifo = appData + "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(platform::ReadWholeFile(fifo, bytes));  // returns at once, no writer needed
    const uint8_t data[3] = {1, 2, 3};
    EXPECT_FALSE(platform::WriteWholeFile(fifo, data, 3));
    EXPECT_FALSE(platform::AppendToFile(fifo, data, 3));
    std::filesystem::create_directory(appData + "folder");
    EXPECT_FALSE(platform::WriteWholeFile(appData + "folder", data, 3));

    const std::string target = appData + "real.dat", link = appData + "link.dat";
    ASSERT_TRUE(platform::WriteWholeFile(target, data, 1));
    std::filesystem::create_symlink("real.dat", link);
    ASSERT_TRUE(platform::WriteWholeFile(link, data, 3));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(platform::FileSize(target), 3);
    // No temporary file is left behind.
    int files = 0;
    for (const auto& item : std::filesystem::directory_iterator(appData))
        files += item.path().string().find(".tmp") != std::string::npos;
    EXPECT_EQ(files, 0);
}

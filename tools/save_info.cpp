// Prints the five values of a save file the way the game reads them at start-up.
//
//   nebulor-save-info PATH/Nebulor.Dat
//
// One "name value" pair per line (points, dailydate, funpoints, staked, won;
// amounts in hundredths of a point, as stored), then "decoded yes" or
// "decoded no". Exit code 0 when the file decoded, 2 when it is damaged (the
// values are then the zeros the game would start from), 1 when it cannot be
// read or is empty.
//
//   nebulor-save-info --history PATH/History.dat
//
// The game history as the game reads it: "lines N" (intact lines kept), then
// the last intact line's "kind", "landed", "stake", "bid", "win", "fun",
// "points", "funpoints", "staked", "won". Exit code 0 when at least one line
// is intact, 2 when none is, 1 when the file cannot be read.
#include <cinttypes>
#include <cstdio>
#include <optional>
#include <string>

#include "persist/history.h"
#include "persist/save_file.h"
#include "platform/platform.h"

namespace {

int HistoryInfo(const char* path) {
    std::vector<uint8_t> bytes;
    const int64_t from = platform::ReadFileTail(path, HistoryKeptLines * 1024, bytes);
    if (from < 0) {
        fprintf(stderr, "nebulor-save-info: %s cannot be read\n", path);
        return 1;
    }
    const std::vector<HistoryEntry> entries =
        ParseHistory(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), from > 0);
    printf("lines %zu\n", entries.size());
    if (entries.empty()) return 2;
    const HistoryEntry& e = entries.back();
    printf("kind %s\n", e.kind == HistoryKind::Spin   ? "spin"
                        : e.kind == HistoryKind::Game ? "game"
                                                      : "account");
    printf("landed %" PRId64 "\nstake %" PRId64 "\nbid %" PRId64 "\nwin %" PRId64 "\nfun %" PRId64 "\n",
           e.landed, e.stake, e.bid, e.win, e.fun);
    printf("points %" PRId64 "\nfunpoints %" PRId64 "\nstaked %" PRId64 "\nwon %" PRId64 "\n",
           e.account.points, e.account.funPoints, e.account.staked, e.account.won);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--history") return HistoryInfo(argv[2]);
    if (argc != 2) {
        fprintf(stderr, "usage: nebulor-save-info PATH/Nebulor.Dat\n");
        return 1;
    }
    const std::optional<SaveFileContents> contents = ReadSaveFile(argv[1]);
    if (!contents) {
        fprintf(stderr, "nebulor-save-info: %s cannot be read or is empty\n", argv[1]);
        return 1;
    }
    const SaveRecord& record = contents->record;
    printf("points %" PRId64 "\n", SaveFieldNumber(record, SavePointsAt));
    const std::string date = SaveFieldText(record, SaveDailyDateAt);
    printf("dailydate %s\n", date.empty() ? "(empty)" : date.c_str());
    printf("funpoints %" PRId64 "\n", SaveFieldNumber(record, SaveFunPointsAt));
    printf("staked %" PRId64 "\n", SaveFieldNumber(record, SaveStakedAt));
    printf("won %" PRId64 "\n", SaveFieldNumber(record, SaveWonAt));
    printf("decoded %s\n", contents->decoded ? "yes" : "no");
    return contents->decoded ? 0 : 2;
}

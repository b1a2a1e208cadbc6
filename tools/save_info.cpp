// Prints the five values of a save file the way the game reads them at start-up.
//
//   nebulor-save-info PATH/Nebulor.Dat
//
// One "name value" pair per line (points, dailydate, funpoints, staked, won;
// amounts in hundredths of a point, as stored), then "decoded yes" or
// "decoded no". Exit code 0 when the file decoded, 2 when it is damaged (the
// values are then the zeros the game would start from), 1 when it cannot be
// read or is empty.
#include <cinttypes>
#include <cstdio>
#include <optional>
#include <string>

#include "persist/save_file.h"

int main(int argc, char** argv) {
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

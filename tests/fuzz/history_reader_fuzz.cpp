// The history reader on any bytes: torn, damaged, reordered, enormous and
// binary lines are dropped one by one, and what it keeps must be whole. Every
// entry it accepts must write out as a line that reads back to the same
// entry; the file layer must read the same bytes as the parser does, and an
// append after reading must leave exactly what was kept plus the new line.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "persist/history.h"
#include "platform/platform.h"

namespace {

// Thousands of files a second: in memory where the system has a place for it.
std::string FastFolder() { return std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp"; }

const std::string& FilePath() {
    static const std::string path = [] {
        const std::string folder = FastFolder() + "/nebulor-fuzz-history-" + std::to_string(getpid());
        std::filesystem::create_directories(folder);
        static std::string remove = folder;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(remove, ignored);
        });
        platform::SetDurableWrites(false);  // the disk is not what is tested here
        return folder + "/History.dat";
    }();
    return path;
}

std::vector<std::string> Lines(const std::vector<HistoryEntry>& entries) {
    std::vector<std::string> lines;
    for (const HistoryEntry& e : entries) lines.push_back(FormatHistoryLine(e));
    return lines;
}

void CheckKept(const std::vector<HistoryEntry>& entries, std::string_view bytes, size_t most) {
    if (entries.size() > most) abort();
    size_t newlines = 0;
    for (const char c : bytes) newlines += c == '\n';
    if (entries.size() > newlines) abort();  // a line without its newline is never trusted
    for (size_t i = 1; i < entries.size(); ++i)
        if (entries[i].sequence <= entries[i - 1].sequence) abort();
    for (const HistoryEntry& e : entries) {
        const std::string line = FormatHistoryLine(e);
        if (line.empty() || line.back() != '\n') abort();
        const std::optional<HistoryEntry> back =
            ParseHistoryLine(std::string_view(line).substr(0, line.size() - 1));
        if (!back || FormatHistoryLine(*back) != line) abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that a read one byte past the end is caught.
    const std::vector<char> copy(data, data + size);
    const std::string_view bytes(copy.data(), copy.size());

    const std::vector<HistoryEntry> whole = ParseHistory(bytes, false);
    CheckKept(whole, bytes, HistoryKeptLines);
    CheckKept(ParseHistory(bytes, true), bytes, HistoryKeptLines);
    const std::vector<HistoryEntry> newest = ParseHistory(bytes, false, 2);
    CheckKept(newest, bytes, 2);
    // Keeping fewer keeps the newest of the same lines.
    for (size_t i = 0; i < newest.size(); ++i)
        if (FormatHistoryLine(newest[i]) != FormatHistoryLine(whole[whole.size() - newest.size() + i]))
            abort();

    // The same bytes as a file on disk.
    const std::string& path = FilePath();
    if (!platform::WriteWholeFile(path, data, size)) abort();
    HistoryFile file(path);
    const std::vector<std::string> loaded = Lines(file.Load());
    if (loaded != Lines(whole)) abort();

    HistoryEntry next;
    next.sequence = whole.empty() ? 1 : whole.back().sequence + 1;
    next.date = "2026/12/09";
    next.time = "10:00:00";
    next.account.points = 1234;
    const std::string line = FormatHistoryLine(next);
    if (!file.Append({line})) abort();
    std::vector<std::string> expected = loaded;
    expected.push_back(line);
    if (Lines(HistoryFile(path).Load()) != expected) abort();
    return 0;
}

#include "persist/history.h"

#include <zlib.h>

#include <charconv>
#include <cstring>

#include "persist/settings.h"
#include "platform/platform.h"

namespace {

constexpr std::string_view Tag = "N2H";
constexpr std::string_view Seal = " crc=";
// The tail read at start-up: the kept lines at their longest plausible size.
constexpr size_t TailBytes = HistoryKeptLines * 1024;

const char* KindName(HistoryKind kind) {
    return kind == HistoryKind::Spin ? "spin" : kind == HistoryKind::Game ? "game" : "account";
}

void PutNumber(std::string& out, const char* key, int64_t value) {
    out += ' ';
    out += key;
    out += '=';
    out += std::to_string(value);
}

template <size_t N>
void PutList(std::string& out, const char* key, const std::array<int64_t, N>& values) {
    out += ' ';
    out += key;
    out += '=';
    for (size_t i = 0; i < N; ++i) {
        if (i) out += ',';
        out += std::to_string(values[i]);
    }
}

bool Number(std::string_view text, int64_t& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// Splits `text` at `separator` into exactly `count` numbers.
template <size_t N>
bool NumberList(std::string_view text, std::array<int64_t, N>& values) {
    for (size_t i = 0; i < N; ++i) {
        const size_t comma = i + 1 < N ? text.find(',') : text.size();
        if (comma == std::string_view::npos || !Number(text.substr(0, comma), values[i])) return false;
        text.remove_prefix(i + 1 < N ? comma + 1 : comma);
    }
    return text.empty();
}

bool ParseWins(std::string_view text, std::vector<HistoryWin>& wins) {
    wins.clear();
    if (text == "-") return true;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        std::string_view one = text.substr(0, comma);
        std::array<int64_t, 4> parts{};
        std::string joined(one);
        for (char& c : joined)
            if (c == ':') c = ',';
        if (!NumberList(std::string_view(joined), parts) || wins.size() >= 64) return false;
        wins.push_back({parts[0], parts[1], parts[2], parts[3]});
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return true;
}

bool Printable(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) return false;
    return true;
}

}  // namespace

uint32_t HistoryCrc(std::string_view text) {
    return static_cast<uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size())));
}

std::string FormatHistoryLine(const HistoryEntry& e) {
    std::string out;
    out.reserve(400);
    out += Tag;
    PutNumber(out, "seq", e.sequence);
    out += ' ';
    out += KindName(e.kind);
    out += ' ';
    out += e.date;
    out += ' ';
    out += e.time;
    out += e.fun ? " mode=fun" : e.freeGames > 0 ? " mode=free" : " mode=base";
    PutNumber(out, "free", e.freeGame);
    PutNumber(out, "of", e.freeGames);
    PutNumber(out, "level", e.level);
    PutNumber(out, "bet", e.betPerLine);
    PutNumber(out, "bid", e.bid);
    PutNumber(out, "stake", e.stake);
    PutNumber(out, "ew", e.extraWild);
    PutList(out, "stops", e.stops);
    PutList(out, "grid", e.grid);
    PutList(out, "sticky", e.sticky);
    out += " lines=";
    if (e.wins.empty()) out += '-';
    for (size_t i = 0; i < e.wins.size(); ++i) {
        const HistoryWin& w = e.wins[i];
        if (i) out += ',';
        out += std::to_string(w.line) + ':' + std::to_string(w.symbol) + ':' + std::to_string(w.count) + ':' +
               std::to_string(w.pay);
    }
    PutNumber(out, "scatters", e.scatters);
    out += " series=" + std::to_string(e.seriesPlayed) + ':' + std::to_string(e.seriesWon);
    PutNumber(out, "fgwin", e.freeGamesWin);
    out += " ladder=";
    if (e.gambled)
        out += std::to_string(e.ladderStart) + ':' + std::to_string(e.ladderEnd) + ':' +
               std::to_string(e.ladderValue);
    else
        out += '-';
    PutNumber(out, "landed", e.landed);
    PutNumber(out, "win", e.win);
    PutNumber(out, "points", e.account.points);
    PutNumber(out, "funpoints", e.account.funPoints);
    PutNumber(out, "staked", e.account.staked);
    PutNumber(out, "won", e.account.won);
    out += " daily=";
    out += e.account.daily.empty() ? std::string("0") : e.account.daily;
    char seal[16];
    snprintf(seal, sizeof seal, "%08X", HistoryCrc(out));
    out += Seal;
    out += seal;
    out += '\n';
    return out;
}

std::optional<HistoryEntry> ParseHistoryLine(std::string_view line) {
    if (line.size() > HistoryLineLimit || !Printable(line)) return std::nullopt;
    const size_t sealAt = line.rfind(Seal);
    if (sealAt == std::string_view::npos || line.size() != sealAt + Seal.size() + 8) return std::nullopt;
    uint32_t crc = 0;
    const std::string_view hex = line.substr(sealAt + Seal.size());
    const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), crc, 16);
    if (error != std::errc() || end != hex.data() + hex.size()) return std::nullopt;
    const std::string_view body = line.substr(0, sealAt);
    if (HistoryCrc(body) != crc) return std::nullopt;

    // The words: tag, seq=, kind, date, time, then key=value pairs.
    std::vector<std::string_view> words;
    for (std::string_view rest = body; !rest.empty();) {
        const size_t space = rest.find(' ');
        words.push_back(rest.substr(0, space));
        if (space == std::string_view::npos) break;
        rest.remove_prefix(space + 1);
    }
    if (words.size() < 5 || words[0] != Tag) return std::nullopt;
    HistoryEntry e;
    if (words[1].substr(0, 4) != "seq=" || !Number(words[1].substr(4), e.sequence)) return std::nullopt;
    if (words[2] == "spin")
        e.kind = HistoryKind::Spin;
    else if (words[2] == "game")
        e.kind = HistoryKind::Game;
    else if (words[2] == "account")
        e.kind = HistoryKind::Account;
    else
        return std::nullopt;
    e.date = std::string(words[3]);
    e.time = std::string(words[4]);
    bool sawPoints = false;
    for (size_t i = 5; i < words.size(); ++i) {
        const size_t eq = words[i].find('=');
        if (eq == std::string_view::npos) return std::nullopt;
        const std::string_view key = words[i].substr(0, eq), value = words[i].substr(eq + 1);
        int64_t* number = key == "free"        ? &e.freeGame
                          : key == "of"        ? &e.freeGames
                          : key == "level"     ? &e.level
                          : key == "bet"       ? &e.betPerLine
                          : key == "bid"       ? &e.bid
                          : key == "stake"     ? &e.stake
                          : key == "ew"        ? &e.extraWild
                          : key == "scatters"  ? &e.scatters
                          : key == "fgwin"     ? &e.freeGamesWin
                          : key == "win"       ? &e.win
                          : key == "landed"    ? &e.landed
                          : key == "points"    ? &e.account.points
                          : key == "funpoints" ? &e.account.funPoints
                          : key == "staked"    ? &e.account.staked
                          : key == "won"       ? &e.account.won
                                               : nullptr;
        if (number) {
            if (!Number(value, *number)) return std::nullopt;
            if (key == "points") sawPoints = true;
        } else if (key == "mode") {
            e.fun = value == "fun" ? 1 : 0;
        } else if (key == "stops") {
            if (!NumberList(value, e.stops)) return std::nullopt;
        } else if (key == "grid") {
            if (!NumberList(value, e.grid)) return std::nullopt;
        } else if (key == "sticky") {
            if (!NumberList(value, e.sticky)) return std::nullopt;
        } else if (key == "lines") {
            if (!ParseWins(value, e.wins)) return std::nullopt;
        } else if (key == "series") {
            std::array<int64_t, 2> parts{};
            std::string joined(value);
            for (char& c : joined)
                if (c == ':') c = ',';
            if (!NumberList(std::string_view(joined), parts)) return std::nullopt;
            e.seriesPlayed = parts[0];
            e.seriesWon = parts[1];
        } else if (key == "ladder") {
            if (value != "-") {
                std::array<int64_t, 3> parts{};
                std::string joined(value);
                for (char& c : joined)
                    if (c == ':') c = ',';
                if (!NumberList(std::string_view(joined), parts)) return std::nullopt;
                e.gambled = true;
                e.ladderStart = parts[0];
                e.ladderEnd = parts[1];
                e.ladderValue = parts[2];
            }
        } else if (key == "daily") {
            e.account.daily = std::string(value);
        }
        // Keys of later versions are passed over.
    }
    if (!sawPoints) return std::nullopt;
    return e;
}

std::vector<HistoryEntry> ParseHistory(std::string_view bytes, bool cutFront, size_t most) {
    std::vector<HistoryEntry> entries;
    bool first = true;
    while (!bytes.empty()) {
        const size_t newline = bytes.find('\n');
        // A last line without its newline is torn: never trusted.
        if (newline == std::string_view::npos) break;
        const std::string_view line = bytes.substr(0, newline);
        bytes.remove_prefix(newline + 1);
        if (first && cutFront) {
            first = false;
            continue;
        }
        first = false;
        std::optional<HistoryEntry> entry = ParseHistoryLine(line);
        if (!entry) continue;
        if (!entries.empty() && entry->sequence <= entries.back().sequence) continue;  // out of order
        entries.push_back(std::move(*entry));
    }
    if (entries.size() > most)
        entries.erase(entries.begin(), entries.end() - static_cast<std::ptrdiff_t>(most));
    return entries;
}

std::vector<HistoryEntry> HistoryFile::Load() {
    std::vector<uint8_t> bytes;
    const int64_t from = platform::ReadFileTail(path_, TailBytes, bytes);
    recent_.clear();
    linesInFile_ = 0;
    mustRewrite_ = false;
    if (from < 0) return {};
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<HistoryEntry> entries = ParseHistory(text, from > 0);
    for (const HistoryEntry& e : entries) recent_.push_back(FormatHistoryLine(e));
    size_t lines = 0;
    for (const char c : text) lines += c == '\n';
    linesInFile_ = lines;
    // A file read only in part, or with lines dropped, is rewritten with what
    // was intact at the next append, so the damage never grows.
    mustRewrite_ = from > 0 || lines != entries.size() || (!text.empty() && text.back() != '\n');
    return entries;
}

bool HistoryFile::Append(const std::vector<std::string>& lines) {
    if (lines.empty()) return true;
    for (const std::string& line : lines) {
        recent_.push_back(line);
        if (recent_.size() > HistoryKeptLines) recent_.pop_front();
    }
    if (mustRewrite_ || linesInFile_ + lines.size() > HistoryKeptLines + HistorySlack) {
        std::string whole;
        for (const std::string& line : recent_) whole += line;
        if (!platform::WriteWholeFile(path_, reinterpret_cast<const uint8_t*>(whole.data()), whole.size())) {
            for (size_t i = 0; i < lines.size() && !recent_.empty(); ++i) recent_.pop_back();
            return false;
        }
        linesInFile_ = recent_.size();
        mustRewrite_ = false;
        return true;
    }
    std::string joined;
    for (const std::string& line : lines) joined += line;
    if (!platform::AppendToFile(path_, reinterpret_cast<const uint8_t*>(joined.data()), joined.size())) {
        for (size_t i = 0; i < lines.size() && !recent_.empty(); ++i) recent_.pop_back();
        return false;
    }
    linesInFile_ += lines.size();
    return true;
}

std::string HistoryFilePath() { return SettingsFolder() + "History.dat"; }

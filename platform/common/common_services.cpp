// Services that are the same in every backend: the fast seeded generator,
// date formatting, files and the per-user folder.
#include <fcntl.h>
#include <sys/mman.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "platform/common/memory_policy.h"
#include "platform/platform.h"

namespace platform {

void ReleaseReadOnlyPages(const uint8_t* data, size_t size) {
    const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t first = (reinterpret_cast<uintptr_t>(data) + page - 1) & ~(page - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(page - 1);
    if (data && end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

void ReturnLargeBlocksToTheSystem() {
    constexpr int LargeBlock = 256 * 1024;
    mallopt(M_MMAP_THRESHOLD, LargeBlock);  // fixed: no longer raised as blocks are freed
    mallopt(M_TRIM_THRESHOLD, 2 * LargeBlock);
}

// ------------------------------------------------------- fast seeded source
namespace {

// xoshiro256** seeded through splitmix64: fast, good enough for sparkles
// and the Random Wild, and reproducible from one seed.
struct FastGenerator {
    uint64_t s[4] = {0, 0, 0, 0};
    bool seeded = false;

    static uint64_t SplitMix(uint64_t& x) {
        uint64_t z = (x += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    void Seed(uint64_t seed) {
        for (auto& word : s) word = SplitMix(seed);
        seeded = true;
    }
    static uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    uint64_t Next() {
        if (!seeded) {
            // Seeded once, on first use, from the thread and the tick count.
            const uint64_t thread = std::hash<std::thread::id>{}(std::this_thread::get_id());
            Seed(thread ^ static_cast<uint64_t>(ElapsedMilliseconds()));
        }
        const uint64_t result = Rotl(s[1] * 5, 7) * 9;
        const uint64_t t = s[1] << 17;
        s[2] ^= s[0];
        s[3] ^= s[1];
        s[1] ^= s[2];
        s[0] ^= s[3];
        s[2] ^= t;
        s[3] = Rotl(s[3], 45);
        return result;
    }
};

FastGenerator gFast;

}  // namespace

int64_t Random(int64_t maximum) {
    if (maximum <= 0) return 0;
    const unsigned __int128 range = static_cast<unsigned __int128>(maximum) + 1;
    return static_cast<int64_t>((static_cast<unsigned __int128>(gFast.Next()) * range) >> 64);
}

int64_t RandomRange(int64_t a, int64_t b) {
    if (b < a) std::swap(a, b);
    return a + Random(b - a);
}

void RandomSeed(uint64_t seed) { gFast.Seed(seed); }

// ------------------------------------------------------------------- date

std::string FormatDate(const std::string& pattern, int64_t date) {
    const time_t t = static_cast<time_t>(date);
    struct tm parts {};
    localtime_r(&t, &parts);
    // Built in a buffer: the short results fit a string without a heap
    // allocation, so the clock on screen costs nothing per frame.
    char out[128];
    size_t used = 0;
    auto put = [&](const char* text) {
        for (; *text && used + 1 < sizeof out; ++text) out[used++] = *text;
    };
    char number[16];
    for (size_t i = 0; i < pattern.size() && used + 1 < sizeof out;) {
        auto token = [&](const char* name) { return pattern.compare(i, std::char_traits<char>::length(name), name) == 0; };
        if (token("%yyyy")) {
            snprintf(number, sizeof number, "%04d", parts.tm_year + 1900);
            put(number);
            i += 5;
        } else if (token("%yy")) {
            snprintf(number, sizeof number, "%02d", (parts.tm_year + 1900) % 100);
            put(number);
            i += 3;
        } else if (token("%mm") || token("%dd") || token("%hh") || token("%ii") || token("%ss")) {
            const char which = pattern[i + 1];
            const int value = which == 'm'   ? parts.tm_mon + 1
                              : which == 'd' ? parts.tm_mday
                              : which == 'h' ? parts.tm_hour
                              : which == 'i' ? parts.tm_min
                                             : parts.tm_sec;
            snprintf(number, sizeof number, "%02d", value);
            put(number);
            i += 3;
        } else {
            out[used++] = pattern[i++];
        }
    }
    return std::string(out, used);
}

// ------------------------------------------------------- files, environment

std::string GetEnvironmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::string(value) : std::string();
}

std::string UserDataFolder() {
    std::string base = GetEnvironmentVariable("APPDATA");
    if (base.empty()) base = GetEnvironmentVariable("XDG_DATA_HOME");
    if (base.empty()) {
        const std::string home = GetEnvironmentVariable("HOME");
        base = home.empty() ? std::string(".local/share") : home + "/.local/share";
    }
    if (base.back() != '/') base += '/';
    return base;
}

bool FolderExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolder(const std::string& path) {
    return !path.empty() && (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST);
}

int64_t FileSize(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) return -1;
    if (S_ISDIR(info.st_mode)) return -2;
    return static_cast<int64_t>(info.st_size);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& data) {
    data.clear();
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return false;
    uint8_t chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) data.insert(data.end(), chunk, chunk + got);
    const bool ok = !ferror(file);
    fclose(file);
    return ok;
}

bool WriteWholeFile(const std::string& path, const uint8_t* data, size_t bytes) {
    // Write beside the target, flush to disk, then rename over it: a crash or
    // a full disk never leaves a half-written file behind.
    const std::string temporary = path + ".tmp";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < bytes) {
        const ssize_t wrote = write(fd, data + done, bytes - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            break;
        }
        done += static_cast<size_t>(wrote);
    }
    const bool written = done == bytes && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (!written || !closed || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool RenameFile(const std::string& from, const std::string& to) { return rename(from.c_str(), to.c_str()) == 0; }

}  // namespace platform

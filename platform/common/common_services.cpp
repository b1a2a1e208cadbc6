// Services that are the same in every backend: the fast seeded generator,
// date formatting, files and the per-user folder.
#include <fcntl.h>
#include <malloc.h>
#include <sys/mman.h>
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
        auto token = [&](const char* name) {
            return pattern.compare(i, std::char_traits<char>::length(name), name) == 0;
        };
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

int64_t FileModifiedNanoseconds(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) return -1;
    return static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

namespace {

// Opens `path` for reading without ever blocking: a FIFO or a device in the
// place of a file is refused at once, and so is a folder.
int OpenRegularForReading(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// A file that is a symbolic link is replaced where the link points, so the
// link stays; anything else at the path is replaced itself.
std::string WriteTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target = path;
    for (int hop = 0; hop < 16; ++hop) {
        char link[4096];
        const ssize_t got = readlink(target.c_str(), link, sizeof link - 1);
        if (got <= 0) break;
        link[got] = 0;
        std::string next = link;
        if (next[0] != '/') {
            const size_t slash = target.rfind('/');
            next = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + next;
        }
        target = next;
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    }
    return target;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool gDurable = true;

// fsync when writes are to survive a power cut; always true otherwise.
bool Flush(int fd, bool dataOnly) { return !gDurable || (dataOnly ? fdatasync(fd) : fsync(fd)) == 0; }

void FlushFolder(const std::string& file) {
    if (!gDurable) return;
    const int folder = open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
}

bool WriteAll(int fd, const uint8_t* data, size_t bytes) {
    size_t done = 0;
    while (done < bytes) {
        const ssize_t wrote = write(fd, data + done, bytes - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& data) {
    data.clear();
    const int fd = OpenRegularForReading(path);
    if (fd < 0) return false;
    uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ok = false;
        if (got <= 0) break;
        data.insert(data.end(), chunk, chunk + got);
    }
    close(fd);
    return ok;
}

int64_t ReadFileTail(const std::string& path, size_t most, std::vector<uint8_t>& data) {
    data.clear();
    const int fd = OpenRegularForReading(path);
    if (fd < 0) return -1;
    struct stat info {};
    fstat(fd, &info);
    const int64_t size = static_cast<int64_t>(info.st_size);
    const int64_t from = size > static_cast<int64_t>(most) ? size - static_cast<int64_t>(most) : 0;
    data.resize(static_cast<size_t>(size - from));
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t got =
            pread(fd, data.data() + done, data.size() - done, from + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    data.resize(done);
    close(fd);
    return from;
}

bool WriteWholeFile(const std::string& path, const uint8_t* data, size_t bytes) {
    // Write beside the target under a name of its own, flush to disk, rename
    // over it and flush the folder: a crash, a power cut or a full disk leaves
    // either the old file or the new one, never half of one.
    const std::string target = WriteTarget(path);
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return false;  // a folder, FIFO or device
    std::string temporary = target + ".tmp.XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return false;
    fchmod(fd, 0644);
    const bool written = WriteAll(fd, data, bytes) && Flush(fd, false);
    const bool closed = close(fd) == 0;
    if (!written || !closed || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    FlushFolder(target);
    return true;
}

bool AppendToFile(const std::string& path, const uint8_t* data, size_t bytes) {
    const std::string target = WriteTarget(path);
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return false;
    const bool fresh = stat(target.c_str(), &info) != 0;
    const int fd = open(target.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) return false;
    const off_t before = lseek(fd, 0, SEEK_END);
    bool ok = WriteAll(fd, data, bytes) && Flush(fd, true);
    // A line cut short by a full disk is taken back, so the next one starts clean.
    if (!ok && before >= 0 && ftruncate(fd, before) != 0) ok = false;
    close(fd);
    if (ok && fresh) FlushFolder(target);
    return ok;
}

void SetDurableWrites(bool durable) { gDurable = durable; }

bool RenameFile(const std::string& from, const std::string& to) {
    return rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace platform

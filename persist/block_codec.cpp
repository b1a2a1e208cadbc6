#include "persist/block_codec.h"

#include <algorithm>

namespace {

// A match is at least four bytes long: its length is stored as length - 2 in
// a gamma code, whose smallest value is 2.
constexpr size_t MinMatch = 4;
constexpr int HashBits = 14;
constexpr size_t HashSize = size_t{1} << HashBits;
// How many earlier places with the same four-byte prefix a search looks at.
constexpr int MaxChain = 64;
constexpr size_t NoPosition = SIZE_MAX;

// ------------------------------------------------------------------ writing

// Bits go into 16-bit tag words, most significant bit first. A tag word is
// reserved in the output at the moment its first bit is written, so that it
// sits exactly where the reader will fetch it.
struct BitWriter {
    std::vector<uint8_t>& out;
    size_t tagPosition = 0;
    unsigned tag = 0;
    int bitsLeft = 0;
};

void PutBit(BitWriter& writer, unsigned bit) {
    if (writer.bitsLeft == 0) {
        writer.tagPosition = writer.out.size();
        writer.out.push_back(0);
        writer.out.push_back(0);
        writer.tag = 0;
        writer.bitsLeft = 16;
    }
    --writer.bitsLeft;
    if (bit) {
        writer.tag |= 1u << writer.bitsLeft;
        writer.out[writer.tagPosition] = static_cast<uint8_t>(writer.tag & 0xFF);
        writer.out[writer.tagPosition + 1] = static_cast<uint8_t>(writer.tag >> 8);
    }
}

// Gamma code of v >= 2: the bits below the leading one, each followed by a
// bit that says whether another one follows.
void PutGamma(BitWriter& writer, uint64_t value) {
    const int top = 63 - __builtin_clzll(value);
    for (int i = top - 1; i >= 0; --i) {
        PutBit(writer, static_cast<unsigned>((value >> i) & 1));
        PutBit(writer, i > 0 ? 1u : 0u);
    }
}

uint32_t Prefix(const uint8_t* data, size_t at) {
    return static_cast<uint32_t>(data[at]) | static_cast<uint32_t>(data[at + 1]) << 8 |
           static_cast<uint32_t>(data[at + 2]) << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
}

size_t HashAt(const uint8_t* data, size_t at) { return (Prefix(data, at) * 2654435761u) >> (32 - HashBits); }

// Earlier places of every four-byte prefix, newest first.
struct MatchFinder {
    const uint8_t* data;
    size_t size;
    std::vector<size_t> head;
    std::vector<size_t> previous;
    size_t inserted = 0;  // places below this are in the chains
};

void InsertUpTo(MatchFinder& finder, size_t end) {
    for (; finder.inserted < end; ++finder.inserted) {
        if (finder.inserted + MinMatch > finder.size) continue;
        const size_t hash = HashAt(finder.data, finder.inserted);
        finder.previous[finder.inserted] = finder.head[hash];
        finder.head[hash] = finder.inserted;
    }
}

struct Match {
    size_t length = 0;
    size_t offset = 0;
};

Match LongestMatch(MatchFinder& finder, size_t at) {
    Match best;
    if (at + MinMatch > finder.size) return best;
    InsertUpTo(finder, at);
    const size_t limit = finder.size - at;
    size_t candidate = finder.head[HashAt(finder.data, at)];
    for (int steps = 0; candidate != NoPosition && steps < MaxChain;
         ++steps, candidate = finder.previous[candidate]) {
        size_t length = 0;
        while (length < limit && finder.data[candidate + length] == finder.data[at + length]) ++length;
        if (length > best.length) {
            best.length = length;
            best.offset = at - candidate;
            if (length == limit) break;
        }
    }
    if (best.length < MinMatch) best = Match{};
    return best;
}

// ------------------------------------------------------------------ reading

struct BitReader {
    const uint8_t* in;
    size_t size;
    size_t position = 0;
    unsigned tag = 0;
    int bitsLeft = 0;
};

bool GetBit(BitReader& reader, unsigned& bit) {
    if (reader.bitsLeft == 0) {
        if (reader.size - reader.position < 2) return false;
        reader.tag = static_cast<unsigned>(reader.in[reader.position]) |
                     static_cast<unsigned>(reader.in[reader.position + 1]) << 8;
        reader.position += 2;
        reader.bitsLeft = 16;
    }
    --reader.bitsLeft;
    bit = (reader.tag >> reader.bitsLeft) & 1;
    return true;
}

bool GetByte(BitReader& reader, uint8_t& byte) {
    if (reader.position >= reader.size) return false;
    byte = reader.in[reader.position++];
    return true;
}

// Reads a gamma value; false when the input ends or the value grows beyond
// `limit` (no sound stream needs it, and it must not overflow).
bool GetGamma(BitReader& reader, uint64_t limit, uint64_t& value) {
    value = 1;
    unsigned bit = 0, more = 0;
    do {
        if (value > limit || !GetBit(reader, bit) || !GetBit(reader, more)) return false;
        value = value * 2 + bit;
    } while (more);
    return true;
}

uint64_t Read64(const uint8_t* at) {
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = value << 8 | at[i];
    return value;
}

void Append32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void Append64(std::vector<uint8_t>& out, uint64_t value) {
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

void CompressBlock(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    if (size == 0) return;
    MatchFinder finder{data, size, std::vector<size_t>(HashSize, NoPosition),
                       std::vector<size_t>(size, NoPosition)};
    BitWriter writer{out};
    out.push_back(data[0]);
    size_t at = 1;
    Match match = LongestMatch(finder, at);
    while (at < size) {
        // One step of lazy matching: a longer match one byte later wins over this one.
        if (match.length >= MinMatch) {
            const Match next = LongestMatch(finder, at + 1);
            if (next.length > match.length + 1) {
                PutBit(writer, 0);
                out.push_back(data[at]);
                ++at;
                match = next;
                continue;
            }
            PutBit(writer, 1);
            PutGamma(writer, match.length - 2);
            const uint64_t distance = match.offset - 1;
            PutGamma(writer, (distance >> 8) + 2);
            out.push_back(static_cast<uint8_t>(distance & 0xFF));
            at += match.length;
        } else {
            PutBit(writer, 0);
            out.push_back(data[at]);
            ++at;
        }
        match = LongestMatch(finder, at);
    }
}

bool DecompressBlock(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, size_t& used) {
    used = 0;
    if (outSize == 0) return true;
    if (inSize == 0) return false;
    BitReader reader{in, inSize};
    out[0] = in[0];
    reader.position = 1;
    size_t produced = 1;
    const uint64_t limit = static_cast<uint64_t>(outSize) + 2;
    while (produced < outSize) {
        unsigned bit = 0;
        if (!GetBit(reader, bit)) return false;
        if (bit == 0) {
            if (!GetByte(reader, out[produced])) return false;
            ++produced;
            continue;
        }
        uint64_t lengthCode = 0, offsetCode = 0;
        uint8_t low = 0;
        if (!GetGamma(reader, limit, lengthCode) || !GetGamma(reader, limit, offsetCode) ||
            !GetByte(reader, low))
            return false;
        const uint64_t length = lengthCode + 2;
        const uint64_t offset = (offsetCode - 2) * 256 + low + 1;
        if (offset > produced || length > outSize - produced) return false;
        // Byte by byte: the source may overlap the bytes being written.
        for (uint64_t i = 0; i < length; ++i, ++produced) out[produced] = out[produced - offset];
    }
    used = reader.position;
    return true;
}

std::vector<uint8_t> PackBlocks(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out;
    out.reserve(PackHeaderSize + size + size / 8 + 16);
    Append32(out, PackMagic);
    Append32(out, 0);
    Append64(out, size);
    Append64(out, PackBlockLength);
    for (size_t done = 0; done < size;) {
        const size_t block = static_cast<size_t>(std::min<uint64_t>(PackBlockLength, size - done));
        CompressBlock(data + done, block, out);
        done += block;
    }
    return out;
}

bool UnpackBlocks(const uint8_t* file, size_t fileSize, uint8_t* out, size_t outSize) {
    if (fileSize < PackHeaderSize) return false;
    const uint32_t magic = static_cast<uint32_t>(file[0]) | static_cast<uint32_t>(file[1]) << 8 |
                           static_cast<uint32_t>(file[2]) << 16 | static_cast<uint32_t>(file[3]) << 24;
    if (magic != PackMagic) return false;
    const uint64_t unpacked = Read64(file + 8);
    const uint64_t blockLength = Read64(file + 16);
    if (unpacked == 0 || unpacked > outSize || blockLength == 0) return false;
    size_t position = PackHeaderSize;
    for (uint64_t done = 0; done < unpacked;) {
        const size_t block = static_cast<size_t>(std::min(blockLength, unpacked - done));
        size_t used = 0;
        if (!DecompressBlock(file + position, fileSize - position, out + done, block, used)) return false;
        position += used;
        done += block;
    }
    return true;
}

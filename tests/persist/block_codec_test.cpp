#include "persist/block_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::vector<uint8_t> Unpacked(const std::vector<uint8_t>& packed, size_t size, bool& ok) {
    std::vector<uint8_t> out(size, 0xAA);
    ok = UnpackBlocks(packed.data(), packed.size(), out.data(), out.size());
    return out;
}

// A stream written by hand: the first byte, then tag words and bytes as given.
std::vector<uint8_t> PackedFile(uint64_t unpackedLength, const std::vector<uint8_t>& stream) {
    std::vector<uint8_t> file = {0x31, 0x7A, 0x6C, 0x62, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i) file.push_back(static_cast<uint8_t>(unpackedLength >> (8 * i)));
    for (int i = 0; i < 8; ++i) file.push_back(static_cast<uint8_t>(PackBlockLength >> (8 * i)));
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

}  // namespace

TEST(BlockCodecTest, RoundTripsTextRunsAndNoise) {
    std::mt19937 random(7);
    std::vector<std::vector<uint8_t>> inputs = {
        Bytes("A"),
        Bytes("abababababababababababab"),  // a match overlapping the bytes it writes
        Bytes("1000\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"),
        std::vector<uint8_t>(1000, 0),
    };
    std::vector<uint8_t> noise(3000);
    for (uint8_t& byte : noise) byte = static_cast<uint8_t>(random());
    inputs.push_back(noise);
    // Repeats far apart need offsets above 256.
    std::vector<uint8_t> far(noise.begin(), noise.begin() + 700);
    far.insert(far.end(), noise.begin(), noise.begin() + 700);
    inputs.push_back(far);
    for (const auto& input : inputs) {
        const std::vector<uint8_t> packed = PackBlocks(input.data(), input.size());
        bool ok = false;
        EXPECT_EQ(Unpacked(packed, input.size(), ok), input);
        EXPECT_TRUE(ok);
    }
    // The second copy costs a few bytes of match, not 700 literals.
    const std::vector<uint8_t> packedOnce = PackBlocks(noise.data(), 700);
    const std::vector<uint8_t> packedFar = PackBlocks(far.data(), far.size());
    EXPECT_LT(packedFar.size(), packedOnce.size() + 8);
}

TEST(BlockCodecTest, DataLongerThanABlockIsCutIntoBlocks) {
    std::vector<uint8_t> input(PackBlockLength + 5000);
    for (size_t i = 0; i < input.size(); ++i) input[i] = static_cast<uint8_t>((i * 7) ^ (i >> 9));
    const std::vector<uint8_t> packed = PackBlocks(input.data(), input.size());
    bool ok = false;
    EXPECT_EQ(Unpacked(packed, input.size(), ok), input);
    EXPECT_TRUE(ok);
}

TEST(BlockCodecTest, HandWrittenStreamDecodesAsTheFormatSays) {
    // "ab" then a match of length 4 at offset 2: bits 0 (literal b), 1 (match),
    // gamma 2 = bits 0,0, gamma 2 = bits 0,0; tag word 0b0100 0000 ... = 0x4000.
    const std::vector<uint8_t> file = PackedFile(6, {'a', 0x00, 0x40, 'b', 0x01});
    std::vector<uint8_t> out(6, 0);
    ASSERT_TRUE(UnpackBlocks(file.data(), file.size(), out.data(), out.size()));
    EXPECT_EQ(out, Bytes("ababab"));
}

TEST(BlockCodecTest, DamagedStreamsStopInsideTheirBuffers) {
    std::vector<uint8_t> out(6, 0);
    // Offset 3 when only two bytes exist.
    const std::vector<uint8_t> early = PackedFile(6, {'a', 0x00, 0x40, 'b', 0x02});
    EXPECT_FALSE(UnpackBlocks(early.data(), early.size(), out.data(), out.size()));
    // A match of length 4 when only 3 bytes are left of 5.
    std::vector<uint8_t> five(5, 0);
    const std::vector<uint8_t> past = PackedFile(5, {'a', 0x00, 0x40, 'b', 0x01});
    EXPECT_FALSE(UnpackBlocks(past.data(), past.size(), five.data(), five.size()));
    // The stream ends before the match's offset byte.
    const std::vector<uint8_t> shortStream = PackedFile(6, {'a', 0x00, 0x40, 'b'});
    EXPECT_FALSE(UnpackBlocks(shortStream.data(), shortStream.size(), out.data(), out.size()));
    // A gamma code that never ends (all bits 1) must not overflow.
    std::vector<uint8_t> ones = {'a'};
    ones.insert(ones.end(), 400, 0xFF);
    const std::vector<uint8_t> endless = PackedFile(6, ones);
    EXPECT_FALSE(UnpackBlocks(endless.data(), endless.size(), out.data(), out.size()));
}

TEST(BlockCodecTest, HeaderIsCheckedBeforeAnyBlock) {
    std::vector<uint8_t> record(250, 0);
    const std::vector<uint8_t> good = PackBlocks(record.data(), record.size());
    const std::vector<uint8_t> header(good.begin(), good.begin() + PackHeaderSize);
    EXPECT_EQ(header, PackedFile(250, {}));  // magic, zero, length 250, block length 0x40000
    std::vector<uint8_t> out(250);
    EXPECT_TRUE(UnpackBlocks(good.data(), good.size(), out.data(), out.size()));

    // Wrong magic; more than the record holds; no block length.
    for (const auto& [at, value] : std::vector<std::pair<size_t, uint8_t>>{{3, 0x63}, {8, 251}, {18, 0}}) {
        std::vector<uint8_t> bad = good;
        bad[at] = value;
        EXPECT_FALSE(UnpackBlocks(bad.data(), bad.size(), out.data(), out.size())) << at;
    }
}

TEST(BlockCodecTest, EveryTruncationAndRandomBytesStaySafe) {
    std::string text = "123456789";
    text.resize(50, '\0');
    text += "2025/12/06";
    text.resize(250, '\0');
    const std::vector<uint8_t> record = Bytes(text);
    const std::vector<uint8_t> packed = PackBlocks(record.data(), record.size());
    for (size_t length = 0; length < packed.size(); ++length) {
        // An exact-size copy, so that reading one byte too far is caught by the sanitizers.
        const std::vector<uint8_t> cut(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(length));
        std::vector<uint8_t> out(250);
        EXPECT_FALSE(UnpackBlocks(cut.data(), cut.size(), out.data(), out.size())) << "length " << length;
    }
    std::mt19937 random(11);
    int decoded = 0;
    for (int round = 0; round < 2000; ++round) {
        std::vector<uint8_t> file = PackedFile(250, {});
        const size_t extra = random() % 300;
        for (size_t i = 0; i < extra; ++i) file.push_back(static_cast<uint8_t>(random()));
        std::vector<uint8_t> out(250);
        decoded += UnpackBlocks(file.data(), file.size(), out.data(), out.size()) ? 1 : 0;
    }
    EXPECT_LT(decoded, 2000);  // noise is damaged far more often than not
}

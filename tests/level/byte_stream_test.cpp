// The readers over memory, a file and a pipe: values within the data, exact values past its
// end, skips that match reading byte by byte, and the bulk texel conversion.
#include "level/byte_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "level/texel_conversion.h"

namespace {

ByteStream stream, reference;  // 64 KiB buffers: static, like the loader's

TEST(Readers, ReadLittleEndianAndGiveExactValuesPastTheEnd) {
  const uint8_t data[] = {0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12, 0x80, 0x34};
  openMemoryStream(stream, data, sizeof data);
  const int32_t values[] = {readU16(stream), readU32(stream), readU32(stream), readU8(stream),
                            readU16(stream), readU16(stream), readU8(stream)};
  EXPECT_EQ(std::vector<int32_t>(values, values + 7),  // a second byte past the end is -1
            std::vector<int32_t>({0x1234, -1, 0x12345678, 0x80, -256 + 0x34, -1, -1}));
  openMemoryStream(stream, data + 9, 3);  // lo 0x8012, hi -256 + 0x34, shifted up
  EXPECT_EQ(readU32(stream), static_cast<int32_t>(0xFF348012u));
  openMemoryStream(stream, data, 2);
  EXPECT_EQ(readU32(stream), static_cast<int32_t>(0xFFFF1234u));
}

// Random skips and reads over memory, a seekable file and a pipe, against byte reads;
// sizes past the buffer make skips cross refills.
TEST(Skipping, MatchesReadingByteByByteWhereverTheBytesComeFrom) {
  for (uint32_t seed = 0; seed < 6; ++seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(seed < 3 ? 5000 : 3 * kByteStreamBufferSize + 17);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    const std::string path = testing::TempDir() + "skipping.bin";
    FILE* file = fopen(path.c_str(), "wb");
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    file = seed % 3 == 2 ? popen(("cat " + path).c_str(), "r") : fopen(path.c_str(), "rb");
    seed % 3 == 0 ? openMemoryStream(stream, bytes.data(), bytes.size())
                  : openFileStream(stream, file);
    openMemoryStream(reference, bytes.data(), bytes.size());
    for (int i = 0; i <= 200; ++i) {
      const uint64_t skip = i < 200 ? random() % (bytes.size() / 40 + 3) : uint64_t{1} << 50;
      for (uint64_t n = 0; n < skip && n < bytes.size() + 8; ++n) readU8(reference);
      skipBytes(stream, skip);
      ASSERT_EQ(readU16(stream), readU16(reference)) << seed << " " << i;
      ASSERT_EQ(readU8(stream), readU8(reference)) << seed << " " << i;
    }
    seed % 3 == 2 ? pclose(file) : fclose(file);
  }
}

TEST(TexelConversion, BulkRunMatchesSingleTexelsForEveryWord) {
  std::vector<uint8_t> words(2 * 65536), bulk(4 * 65536), single(4 * 65536);
  for (uint32_t w = 0; w < 65536; ++w) words[2 * w] = w & 0xFF, words[2 * w + 1] = w >> 8;
  convertTexelRun(words.data(), 65536, bulk.data());
  for (int32_t w = 0; w < 65536; ++w) convertTexel(w, &single[4 * w]);
  EXPECT_EQ(bulk, single);
}

}  // namespace

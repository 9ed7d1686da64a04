// The readers: little-endian values within the data and their exact values past its end;
// the bulk texel conversion against the single one.
#include "level/byte_stream.h"

#include <gtest/gtest.h>

#include <vector>

#include "level/texel_conversion.h"

namespace {

ByteStream stream;  // a 64 KiB buffer: static, like the loader's

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

TEST(TexelConversion, BulkRunMatchesSingleTexelsForEveryWord) {
  std::vector<uint8_t> words(2 * 65536), bulk(4 * 65536), single(4 * 65536);
  for (uint32_t w = 0; w < 65536; ++w) words[2 * w] = w & 0xFF, words[2 * w + 1] = w >> 8;
  convertTexelRun(words.data(), 65536, bulk.data());
  for (int32_t w = 0; w < 65536; ++w) convertTexel(w, &single[4 * w]);
  EXPECT_EQ(bulk, single);
}

}  // namespace

// The readers over memory, a file and a pipe: values within the data, exact values past its
// end, skips that match reading byte by byte, and the bulk texel conversion.
#include "level/byte_stream.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <random>
#include <thread>
#include <vector>

#include "level/texel_conversion.h"

namespace {

ByteStream stream, reference;  // 64 KiB buffers: static, like the loader's

std::vector<uint8_t> randomBytes(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes(count);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
  return bytes;
}

TEST(Readers, ReadLittleEndianAndGiveExactValuesPastTheEnd) {
  const uint8_t data[] = {0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12, 0x80, 0x34};
  openMemoryStream(stream, data, sizeof data);
  EXPECT_EQ(readU16(stream), 0x1234);
  EXPECT_EQ(readU32(stream), -1);
  EXPECT_EQ(readU32(stream), 0x12345678);
  EXPECT_EQ(readU8(stream), 0x80);
  EXPECT_EQ(readU16(stream), -256 + 0x34);  // the second byte -1, unmasked
  EXPECT_EQ(readU16(stream), -1);
  EXPECT_EQ(readU8(stream), -1);
  openMemoryStream(stream, data + 9, 3);  // lo 0x8012, hi -256 + 0x34 shifted up
  EXPECT_EQ(readU32(stream), static_cast<int32_t>(0xFF348012u));
  openMemoryStream(stream, data, 2);
  EXPECT_EQ(readU32(stream), static_cast<int32_t>(0xFFFF1234u));
}

// Interleaved skips and reads, over memory or a file, against reading every byte.
void expectSkipsMatchByteReads(uint32_t seed, size_t size, bool viaFile) {
  const std::vector<uint8_t> bytes = randomBytes(size, seed);
  std::mt19937 random(seed);
  std::vector<uint64_t> plan;
  for (int i = 0; i < 200; ++i) plan.push_back(random() % (size / 40 + 3));
  plan.push_back(uint64_t{1} << 40);  // a claim far beyond the data
  FILE* file = tmpfile();
  fwrite(bytes.data(), 1, size, file);
  rewind(file);
  openMemoryStream(reference, bytes.data(), size);
  viaFile ? openFileStream(stream, file) : openMemoryStream(stream, bytes.data(), size);
  for (const uint64_t skip : plan) {
    for (uint64_t n = 0; n < skip && n < size + 8; ++n) readU8(reference);
    skipBytes(stream, skip);
    ASSERT_EQ(readU16(stream), readU16(reference)) << seed;
    ASSERT_EQ(readU8(stream), readU8(reference)) << seed;
  }
  fclose(file);
}

TEST(Skipping, MatchesReadingByteByByteAcrossRefills) {
  expectSkipsMatchByteReads(1, 5000, false);
  expectSkipsMatchByteReads(2, 5000, true);
  expectSkipsMatchByteReads(3, 3 * kByteStreamBufferSize + 17, true);
  expectSkipsMatchByteReads(4, 3 * kByteStreamBufferSize + 17, false);
}

TEST(Skipping, WorksOnAStreamThatCannotSeek) {
  const std::vector<uint8_t> bytes = randomBytes(3 * kByteStreamBufferSize, 6);
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  std::thread writer([&] {
    for (size_t done = 0; done < bytes.size();) {
      const ssize_t n = write(ends[1], bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    close(ends[1]);
  });
  FILE* file = fdopen(ends[0], "rb");
  openFileStream(stream, file);
  skipBytes(stream, kByteStreamBufferSize + 100);
  EXPECT_EQ(readU8(stream), bytes[kByteStreamBufferSize + 100]);
  skipBytes(stream, bytes.size() - 1 - (kByteStreamBufferSize + 101));
  EXPECT_EQ(readU16(stream), bytes.back() - 256);  // one byte left, then the end
  skipBytes(stream, uint64_t{1} << 50);
  EXPECT_EQ(readU32(stream), -1);
  writer.join();
  fclose(file);
}

TEST(TexelConversion, BulkRunMatchesSingleTexelsForEveryWord) {
  std::vector<uint8_t> words(2 * 65536), bulk(4 * 65536), single(4 * 65536);
  for (uint32_t w = 0; w < 65536; ++w) words[2 * w] = w & 0xFF, words[2 * w + 1] = w >> 8;
  convertTexelRun(words.data(), 65536, bulk.data());
  for (int32_t w = 0; w < 65536; ++w) convertTexel(w, &single[4 * w]);
  EXPECT_EQ(bulk, single);
}

}  // namespace

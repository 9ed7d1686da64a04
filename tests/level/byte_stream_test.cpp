// The three readers and skipping, over memory, a seekable file and a pipe: values within
// the data, the exact values past its end, and skips that match reading byte by byte.
#include "level/byte_stream.h"
#include "level/texel_conversion.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <random>
#include <thread>
#include <vector>

namespace {

ByteStream stream;  // 64 KiB buffer: static, like the loader's

std::vector<uint8_t> randomBytes(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes(count);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
  return bytes;
}

FILE* fileHolding(const std::vector<uint8_t>& bytes) {
  FILE* file = tmpfile();
  fwrite(bytes.data(), 1, bytes.size(), file);
  rewind(file);
  return file;
}

TEST(Readers, ReadLittleEndianValuesWithinTheData) {
  const uint8_t data[] = {0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12, 0x80};
  openMemoryStream(stream, data, sizeof data);
  EXPECT_EQ(readU16(stream), 0x1234);
  EXPECT_EQ(readU32(stream), -1);  // a stored 0xFFFFFFFF is a negative count
  EXPECT_EQ(readU32(stream), 0x12345678);
  EXPECT_EQ(readU8(stream), 0x80);
  EXPECT_EQ(readU8(stream), -1);
}

TEST(Readers, YieldTheirExactValuesPastTheEnd) {
  const uint8_t one[] = {0x34};
  openMemoryStream(stream, one, 1);
  EXPECT_EQ(readU16(stream), -256 + 0x34);  // second byte -1, unmasked
  EXPECT_EQ(readU16(stream), -1);
  EXPECT_EQ(readU32(stream), -1);
  EXPECT_EQ(readU8(stream), -1);

  const uint8_t three[] = {0x01, 0x02, 0x03};
  openMemoryStream(stream, three, 3);
  // lo = 0x0201; hi = -256 + 3 = 0xFFFFFF03, shifted up by 16.
  EXPECT_EQ(readU32(stream), static_cast<int32_t>(0xFF030201u));

  const uint8_t two[] = {0xCD, 0xAB};
  openMemoryStream(stream, two, 2);
  EXPECT_EQ(readU32(stream), static_cast<int32_t>(0xFFFFABCDu));  // hi wholly past: -1

  openMemoryStream(stream, nullptr, 0);
  EXPECT_EQ(readU8(stream), -1);
  EXPECT_EQ(readU16(stream), -1);
}

// Reads `bytes` with interleaved reads and skips in both ways and compares each value.
void expectSkipsMatchByteReads(uint32_t seed, size_t size, bool viaFile) {
  const std::vector<uint8_t> bytes = randomBytes(size, seed);
  std::mt19937 random(seed + 1);
  std::vector<int32_t> expected, got;
  std::vector<uint64_t> plan;
  for (int i = 0; i < 200; ++i) plan.push_back(random() % (size / 40 + 3));
  plan.push_back(uint64_t{1} << 40);  // a claim far beyond the data

  ByteStream reference;
  openMemoryStream(reference, bytes.data(), bytes.size());
  for (const uint64_t skip : plan) {
    for (uint64_t n = 0; n < skip && n < size + 8; ++n) readU8(reference);
    expected.push_back(readU16(reference));
    expected.push_back(readU8(reference));
  }
  FILE* file = viaFile ? fileHolding(bytes) : nullptr;
  if (viaFile) {
    openFileStream(stream, file);
  } else {
    openMemoryStream(stream, bytes.data(), bytes.size());
  }
  for (const uint64_t skip : plan) {
    skipBytes(stream, skip);
    got.push_back(readU16(stream));
    got.push_back(readU8(stream));
  }
  if (file != nullptr) fclose(file);
  EXPECT_EQ(got, expected);
}

TEST(Skipping, MatchesReadingByteByByte) {
  expectSkipsMatchByteReads(1, 5000, false);
  expectSkipsMatchByteReads(2, 5000, true);
  // Larger than the buffer, so skips cross refills and seek within the file.
  expectSkipsMatchByteReads(3, 3 * kByteStreamBufferSize + 17, true);
  expectSkipsMatchByteReads(4, 3 * kByteStreamBufferSize + 17, false);
}

TEST(Skipping, ToTheLastByteExactlyLeavesTheStreamAtItsEnd) {
  const std::vector<uint8_t> bytes = randomBytes(kByteStreamBufferSize + 10, 5);
  FILE* file = fileHolding(bytes);
  openFileStream(stream, file);
  readU8(stream);
  skipBytes(stream, bytes.size() - 2);
  EXPECT_EQ(readU8(stream), bytes.back());
  EXPECT_EQ(readU8(stream), -1);
  skipBytes(stream, 0);
  EXPECT_EQ(readU16(stream), -1);
  fclose(file);
}

TEST(Skipping, WorksOnAStreamThatCannotSeek) {
  const std::vector<uint8_t> bytes = randomBytes(3 * kByteStreamBufferSize, 6);
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  std::thread writer([&] {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = write(ends[1], bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    close(ends[1]);
  });
  FILE* file = fdopen(ends[0], "rb");
  openFileStream(stream, file);
  skipBytes(stream, kByteStreamBufferSize + 100);  // nothing at hand: drained from the pipe
  EXPECT_EQ(readU8(stream), bytes[kByteStreamBufferSize + 100]);
  skipBytes(stream, bytes.size() - 1 - (kByteStreamBufferSize + 101));
  EXPECT_EQ(readU16(stream), bytes.back() - 256);  // one byte left, then the end
  skipBytes(stream, uint64_t{1} << 50);
  EXPECT_EQ(readU32(stream), -1);
  writer.join();
  fclose(file);
}

// The bulk conversion must agree with the per-texel one for every stored word.
TEST(TexelConversion, BulkRunMatchesSingleTexelsForEveryWord) {
  std::vector<uint8_t> words(2 * 65536);
  for (uint32_t w = 0; w < 65536; ++w) {
    words[2 * w] = static_cast<uint8_t>(w);
    words[2 * w + 1] = static_cast<uint8_t>(w >> 8);
  }
  std::vector<uint8_t> bulk(4 * 65536), single(4 * 65536);
  convertTexelRun(words.data(), 65536, bulk.data());
  for (int32_t w = 0; w < 65536; ++w) convertTexel(w, &single[4 * w]);
  EXPECT_EQ(bulk, single);
  uint8_t pastEnd[4];
  convertTexel(-1, pastEnd);
  EXPECT_EQ(std::vector<uint8_t>(pastEnd, pastEnd + 4), (std::vector<uint8_t>{248, 248, 248, 255}));
}

}  // namespace

// SHA-256 against the published vectors, across the padding's edges, and of
// a file read in pieces.

#include "app/repair/support/sha256.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/tftp/tftp_test_support.h"

namespace zapp::testing {
namespace {

std::string DigestOf(const std::string& text) {
  Sha256 hash;
  hash.Update(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  return HexDigest(hash.Finish());
}

TEST(Sha256Test, KnownVectorsIncludingTwoBlockPaddingAndAMillionBytes) {
  EXPECT_EQ(DigestOf(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(DigestOf("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // 56 bytes: the length no longer fits the block, the padding takes a second one.
  EXPECT_EQ(DigestOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  // A million 'a' in uneven pieces: the buffer's carry across Update calls.
  Sha256 hash;
  const std::string piece(997, 'a');
  size_t left = 1000000;
  while (left > 0) {
    const size_t take = std::min(left, piece.size());
    hash.Update(reinterpret_cast<const uint8_t*>(piece.data()), take);
    left -= take;
  }
  EXPECT_EQ(HexDigest(hash.Finish()), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256Test, AFileLargerThanOneReadGivesTheDigestOfItsBytesAndAMissingOneNone) {
  ztftp::testing::ScratchFolder folder;
  const ztftp::testing::Bytes bytes = ztftp::testing::PatternBytes(200000);
  folder.Write("image.bin", bytes);
  Sha256 whole;
  whole.Update(bytes.data(), bytes.size());
  EXPECT_EQ(Sha256OfFile(folder.path() / "image.bin"), HexDigest(whole.Finish()));
  EXPECT_EQ(Sha256OfFile(folder.path() / "missing.bin"), "");
}

}  // namespace
}  // namespace zapp::testing

#include "ui/resources/zip_archive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zip_writer.h"

namespace zui {
namespace {

using ztest::BuildZip;
using ztest::BuiltZip;
using ztest::ZipEntry;

std::string Extracted(const CZipArchive& zip, std::wstring_view name, int* result = nullptr) {
  int index = -1;
  uint64_t size = 0;
  if (!zip.FindMember(name, true, index, size)) return "<missing>";
  // As every caller does: a size the stored bytes cannot give is not allocated.
  if (!zip.IsMemberPlausible(index)) {
    char small[16];
    const int r = zip.Extract(index, small, sizeof small);
    if (result != nullptr) *result = r;
    EXPECT_NE(r, CZipArchive::kOk);
    return "<failed>";
  }
  std::string out(static_cast<size_t>(size), '\0');
  const int r = zip.Extract(index, out.data(), out.size());
  if (result != nullptr) *result = r;
  return r == CZipArchive::kOk ? out : "<failed>";
}

std::string Pattern(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s.push_back(static_cast<char>("skin text "[i % 10] + (i / 1000) % 7));
  return s;
}

TEST(ZipArchive, ReadsStoredAndDeflatedMembersByNameIgnoringCase) {
  const BuiltZip built = BuildZip({{"vxgdown.xml", Pattern(5000)},
                                   {"img/close.png", std::string("\x89PNG raw", 8), false},
                                   {"empty.txt", "", false}});
  CZipArchive zip;
  ASSERT_TRUE(zip.OpenMemory(built.bytes.data(), built.bytes.size()));
  EXPECT_EQ(zip.MemberCount(), 3u);
  EXPECT_EQ(Extracted(zip, L"vxgdown.xml"), Pattern(5000));
  EXPECT_EQ(Extracted(zip, L"img\\close.png"), std::string("\x89PNG raw", 8));
  EXPECT_EQ(Extracted(zip, L"IMG\\CLOSE.PNG"), std::string("\x89PNG raw", 8));
  EXPECT_EQ(Extracted(zip, L"empty.txt"), "");
  EXPECT_EQ(Extracted(zip, L"img/other.png"), "<missing>");

  int index = -1;
  uint64_t size = 0;
  EXPECT_FALSE(zip.FindMember(L"IMG/close.png", false, index, size));
  EXPECT_TRUE(zip.FindMember(L"img/close.png", false, index, size));
  EXPECT_EQ(size, 8u);
}

TEST(ZipArchive, SmallerBufferGivesTheBeginningAndTheMoreResult) {
  const BuiltZip built = BuildZip({{"d.bin", Pattern(100000)}, {"s.bin", Pattern(300), false}});
  CZipArchive zip;
  ASSERT_TRUE(zip.OpenMemory(built.bytes.data(), built.bytes.size()));
  for (int index : {0, 1}) {
    std::string part(120, '\0');
    EXPECT_EQ(zip.Extract(index, part.data(), part.size()), CZipArchive::kMore);
    EXPECT_EQ(part, Pattern(120));
  }
  EXPECT_EQ(zip.Extract(5, nullptr, 0), CZipArchive::kBadIndex);
}

TEST(ZipArchive, DecryptsWithTheRightPasswordOnly) {
  const BuiltZip built =
      BuildZip({{"secret.xml", Pattern(3000), true, "pa55"}, {"plain.xml", Pattern(10), false, "pa55"}});
  CZipArchive right;
  ASSERT_TRUE(right.OpenMemory(built.bytes.data(), built.bytes.size(), "pa55"));
  EXPECT_EQ(Extracted(right, L"secret.xml"), Pattern(3000));
  EXPECT_EQ(Extracted(right, L"plain.xml"), Pattern(10));

  CZipArchive wrong;
  ASSERT_TRUE(wrong.OpenMemory(built.bytes.data(), built.bytes.size(), "nope"));
  int result = 0;
  Extracted(wrong, L"secret.xml", &result);
  EXPECT_NE(result, CZipArchive::kOk);
  EXPECT_NE(result, CZipArchive::kMore);
}

TEST(ZipArchive, RefusesDamagedDirectories) {
  const BuiltZip good = BuildZip({{"a.xml", Pattern(2000)}, {"b.xml", Pattern(10), false}});
  CZipArchive zip;
  EXPECT_FALSE(zip.OpenMemory(nullptr, 0));
  EXPECT_FALSE(zip.OpenMemory(good.bytes.data(), 21));

  auto bytes = good.bytes;
  ztest::Put32(bytes, good.endRecord + 16, static_cast<uint32_t>(bytes.size()));  // directory past the end
  EXPECT_FALSE(zip.OpenMemory(bytes.data(), bytes.size()));

  bytes = good.bytes;
  ztest::Put16(bytes, good.endRecord + 10, 500);  // more entries than the directory holds
  EXPECT_FALSE(zip.OpenMemory(bytes.data(), bytes.size()));

  bytes = good.bytes;
  ztest::Put16(bytes, good.directoryEntries[1] + 28, 0xFFFF);  // name runs past the directory
  EXPECT_FALSE(zip.OpenMemory(bytes.data(), bytes.size()));
}

TEST(ZipArchive, DamagedMembersFailCleanly) {
  const std::string text = Pattern(20000);
  const BuiltZip good = BuildZip({{"a.xml", text}, {"s.bin", Pattern(64), false}});
  auto extractAfter = [&](auto patch) {
    auto bytes = good.bytes;
    patch(bytes);
    CZipArchive zip;
    if (!zip.OpenMemory(bytes.data(), bytes.size())) return -1;
    int result = 0;
    Extracted(zip, L"a.xml", &result);
    return result;
  };
  // Local header offset pointing elsewhere.
  EXPECT_EQ(extractAfter([&](auto& b) { ztest::Put32(b, good.directoryEntries[0] + 42, 7); }), CZipArchive::kDamaged);
  EXPECT_EQ(extractAfter([&](auto& b) { ztest::Put32(b, good.directoryEntries[0] + 42, 0xFFFFFF00u); }),
            CZipArchive::kDamaged);
  // Compressed size beyond the archive.
  EXPECT_EQ(extractAfter([&](auto& b) { ztest::Put32(b, good.directoryEntries[0] + 20, 0x7FFFFFFF); }),
            CZipArchive::kDamaged);
  // Declared size larger than the data (the stream ends early).
  EXPECT_EQ(extractAfter([&](auto& b) { ztest::Put32(b, good.directoryEntries[0] + 24, 20001); }),
            CZipArchive::kDamaged);
  // Garbage in the deflate stream, and a wrong checksum.
  EXPECT_EQ(extractAfter([&](auto& b) {
              for (int i = 0; i < 40; ++i) b[good.dataOffsets[0] + 10 + i] ^= 0x5A;
            }),
            CZipArchive::kDamaged);
  EXPECT_EQ(extractAfter([&](auto& b) { ztest::Put32(b, good.directoryEntries[0] + 16, 0x12345678); }),
            CZipArchive::kDamaged);
  // An unknown method.
  EXPECT_EQ(extractAfter([&](auto& b) { ztest::Put16(b, good.directoryEntries[0] + 10, 14); }),
            CZipArchive::kUnsupported);
}

TEST(ZipArchive, BombInflatingPastTheDeclaredSizeIsRefused) {
  const BuiltZip built = BuildZip({{"bomb.bin", std::string(8 << 20, '\0')}});
  auto bytes = built.bytes;
  ztest::Put32(bytes, built.directoryEntries[0] + 24, 1000);
  CZipArchive zip;
  ASSERT_TRUE(zip.OpenMemory(bytes.data(), bytes.size()));
  std::vector<uint8_t> buffer(1000);
  EXPECT_EQ(zip.Extract(0, buffer.data(), buffer.size()), CZipArchive::kDamaged);

  // A declared size the stored bytes cannot hold is not believed either.
  ztest::Put32(bytes, built.directoryEntries[0] + 24, 0xFFFFFFF0u);
  ASSERT_TRUE(zip.OpenMemory(bytes.data(), bytes.size()));
  EXPECT_FALSE(zip.IsMemberPlausible(0));
  EXPECT_EQ(zip.Extract(0, buffer.data(), buffer.size()), CZipArchive::kDamaged);
}

TEST(ZipArchive, CutOrFlippedArchivesFailOrReadCorrectly) {
  const std::string text = Pattern(3000);
  const BuiltZip good = BuildZip({{"a.xml", text}, {"b.bin", Pattern(200), false, "pw"}});
  const std::vector<uint8_t> endRecord(good.bytes.begin() + good.endRecord, good.bytes.end());
  auto check = [&](const std::vector<uint8_t>& bytes, const char* what, size_t at) {
    CZipArchive zip;
    if (!zip.OpenMemory(bytes.data(), bytes.size(), "pw")) return;
    const std::string a = Extracted(zip, L"a.xml");
    EXPECT_TRUE(a == text || a == "<failed>" || a == "<missing>") << what << " " << at;
    const std::string b = Extracted(zip, L"b.bin");
    EXPECT_TRUE(b == Pattern(200) || b == "<failed>" || b == "<missing>") << what << " " << at;
  };
  for (size_t cut = 0; cut < good.endRecord; ++cut) {
    // Cut the archive short but keep its end record, so the reader finds a
    // directory that points past what is left.
    std::vector<uint8_t> bytes(good.bytes.begin(), good.bytes.begin() + cut);
    bytes.insert(bytes.end(), endRecord.begin(), endRecord.end());
    check(bytes, "cut", cut);
  }
  for (size_t at = 0; at < good.bytes.size(); ++at) {
    std::vector<uint8_t> bytes = good.bytes;
    bytes[at] ^= 0xA5;
    check(bytes, "flip", at);
  }
}

#ifdef ZAVIZ_UI_RESOURCES_FIXTURES
TEST(ZipArchive, ReadsArchivesMadeByOtherTools) {
  const std::string dir = ZAVIZ_UI_RESOURCES_FIXTURES;
  CZipArchive zip;
  ASSERT_TRUE(zip.OpenFile(dir + "/python.zip"));
  const std::string skin = Extracted(zip, L"VXGDOWN.XML");
  EXPECT_NE(skin.find("<Window size=\"484,306\">"), std::string::npos);
  std::string png(1024, '\0');
  for (size_t i = 0; i < png.size(); ++i) png[i] = static_cast<char>(i % 256);
  EXPECT_EQ(Extracted(zip, L"img\\close.png"), png);
  EXPECT_TRUE(Extracted(zip, L"big/exact.bin") == std::string(4194304, 'z'));

  CZipArchive secret;
  ASSERT_TRUE(secret.OpenFile(dir + "/password.zip", "s3cret"));
  const std::string xml = Extracted(secret, L"secret.xml");
  EXPECT_EQ(xml.rfind("<Window><Font id=\"1\" name=\"x\"/></Window>\n", 0), 0u);
  EXPECT_EQ(xml.size(), 50u * 41u);
  CZipArchive wrong;
  ASSERT_TRUE(wrong.OpenFile(dir + "/password.zip", "guess"));
  EXPECT_EQ(Extracted(wrong, L"secret.xml"), "<failed>");
}
#endif

}  // namespace
}  // namespace zui

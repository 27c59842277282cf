// The built skin archive: exactly the members the program ships, stored the
// way they are listed, every image a skin names present and of its size.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "sys/text_encoding.h"
#include "ui/resources/image_loader.h"
#include "ui/resources/zip_archive.h"

namespace {

constexpr uint16_t kStored = 0, kDeflated = 8;

struct Expected {
  const char* name;
  uint16_t method;
  int width, height;  // 0 for documents and the directory
};

const Expected kMembers[] = {
    {"chooseNetCard.xml", kDeflated, 0, 0},
    {"img/", kStored, 0, 0},
    {"img/bgshadw.png", kDeflated, 151, 122},
    {"img/cancel_disable_134@44.png", kStored, 134, 44},
    {"img/cancel_focus_134@44.png", kStored, 134, 44},
    {"img/cancel_hover_134@44.png", kStored, 134, 44},
    {"img/cancel_normal_134@44.png", kDeflated, 134, 44},
    {"img/checked.png", kStored, 14, 14},
    {"img/close.png", kStored, 12, 12},
    {"img/close_hover.png", kStored, 12, 12},
    {"img/icon.png", kStored, 86, 86},
    {"img/muti_netwarning.png", kStored, 16, 14},
    {"img/ok_disable_134@44.png", kStored, 134, 44},
    {"img/ok_focus_134@44.png", kStored, 134, 44},
    {"img/ok_hover_134@44.png", kStored, 134, 44},
    {"img/ok_normal_134@44.png", kStored, 134, 44},
    {"img/progress_back.png", kStored, 424, 6},
    {"img/progress_fore.png", kStored, 344, 14},
    {"img/provalue_bg.png", kStored, 34, 23},
    {"img/sel_ok_hover.png", kStored, 76, 44},
    {"img/sel_ok_normal.png", kStored, 76, 44},
    {"img/vscrollbar.png", kStored, 24, 100},
    {"img/waiting_for.png", kStored, 14, 14},
    {"img/warning.png", kStored, 86, 86},
    {"notice.xml", kDeflated, 0, 0},
    {"vxgdown.xml", kDeflated, 0, 0},
};

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class BuiltArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes_ = ReadFile(ZAVIZ_SKIN_ARCHIVE_PATH);
    ASSERT_FALSE(bytes_.empty()) << ZAVIZ_SKIN_ARCHIVE_PATH;
    ASSERT_TRUE(archive_.OpenMemory(bytes_.data(), bytes_.size()));
  }

  std::vector<uint8_t> Member(const std::wstring& name) {
    int index = -1;
    uint64_t size = 0;
    if (!archive_.FindMember(name, true, index, size)) return {};
    std::vector<uint8_t> data(size);
    const int result = archive_.Extract(index, data.data(), data.size());
    EXPECT_TRUE(result == zui::CZipArchive::kOk || result == zui::CZipArchive::kMore) << result;
    return data;
  }

  std::string Document(const std::wstring& name) {
    const std::vector<uint8_t> data = Member(name);
    return std::string(data.begin(), data.end());
  }

  std::vector<uint8_t> bytes_;
  zui::CZipArchive archive_;
};

// "img/a.png" -> "img/a@200.png": the same image drawn at twice the size.
std::string Drawn2x(const std::string& name) { return name.substr(0, name.size() - 4) + "@200.png"; }

TEST_F(BuiltArchive, HoldsExactlyTheListedMembersStoredAsListed) {
  std::vector<std::string> drawn2x;
  for (const Expected& expected : kMembers) {
    if (expected.width != 0) drawn2x.push_back(Drawn2x(expected.name));
  }
  ASSERT_EQ(archive_.MemberCount(), std::size(kMembers) + drawn2x.size());
  for (size_t i = 0; i < drawn2x.size(); ++i) {
    const zui::CZipArchive::Member& member = archive_.MemberAt(std::size(kMembers) + i);
    EXPECT_EQ(zsys::WideToUtf8(member.name), drawn2x[i]);
    EXPECT_EQ(member.method, kStored) << drawn2x[i];
  }
  for (size_t i = 0; i < std::size(kMembers); ++i) {
    const zui::CZipArchive::Member& member = archive_.MemberAt(i);
    EXPECT_EQ(zsys::WideToUtf8(member.name), kMembers[i].name);
    EXPECT_EQ(member.method, kMembers[i].method) << kMembers[i].name;
    EXPECT_FALSE(member.IsEncrypted()) << kMembers[i].name;
    if (std::string(kMembers[i].name) == "img/") {
      EXPECT_EQ(member.size, 0u);
    } else {
      EXPECT_GT(member.size, 0u) << kMembers[i].name;
    }
  }
}

TEST_F(BuiltArchive, EveryImageDecodesToItsSizeWithRealTransparency) {
  for (const Expected& expected : kMembers) {
    if (expected.width == 0) continue;
    const std::vector<uint8_t> png = Member(zsys::Utf8ToWide(expected.name));
    ASSERT_FALSE(png.empty()) << expected.name;
    // Colour type 6: 8-bit RGBA.
    ASSERT_GT(png.size(), 26u);
    EXPECT_EQ(png[24], 8) << expected.name;
    EXPECT_EQ(png[25], 6) << expected.name;
    std::unique_ptr<zui::SkinImage> image = zui::DecodeSkinImage(png.data(), png.size(), 0);
    ASSERT_NE(image, nullptr) << expected.name;
    EXPECT_EQ(image->width, expected.width) << expected.name;
    EXPECT_EQ(image->height, expected.height) << expected.name;
    EXPECT_TRUE(image->hasAlpha) << expected.name;

    const std::vector<uint8_t> png2x = Member(zsys::Utf8ToWide(Drawn2x(expected.name)));
    std::unique_ptr<zui::SkinImage> image2x = zui::DecodeSkinImage(png2x.data(), png2x.size(), 0);
    ASSERT_NE(image2x, nullptr) << Drawn2x(expected.name);
    EXPECT_EQ(image2x->width, 2 * expected.width) << Drawn2x(expected.name);
    EXPECT_EQ(image2x->height, 2 * expected.height) << Drawn2x(expected.name);
    EXPECT_TRUE(image2x->hasAlpha) << Drawn2x(expected.name);
  }
}

TEST_F(BuiltArchive, ShadowIsClearWhereTheWindowLiesAndSoftOutside) {
  const std::vector<uint8_t> png = Member(L"img/bgshadw.png");
  std::unique_ptr<zui::SkinImage> image = zui::DecodeSkinImage(png.data(), png.size(), 0);
  ASSERT_NE(image, nullptr);
  const int reach = 19;
  auto alpha = [&](int x, int y) { return image->bitmap.row(y)[x] >> 24; };
  for (int y = reach; y < image->height - reach; ++y) {
    for (int x = reach; x < image->width - reach; ++x) ASSERT_EQ(alpha(x, y), 0u) << x << "," << y;
  }
  // Darkest next to the window, fading to nothing at the outer edge.
  const int mid = image->height / 2;
  EXPECT_GT(alpha(reach - 1, mid), 20u);
  EXPECT_LT(alpha(reach - 1, mid), 128u);
  EXPECT_GT(alpha(reach - 1, mid), alpha(reach - 8, mid));
  EXPECT_GT(alpha(reach - 8, mid), alpha(1, mid));
  EXPECT_EQ(alpha(0, mid), 0u);
}

TEST_F(BuiltArchive, ScrollThumbsUseTheirRowsAndEightColumns) {
  const std::vector<uint8_t> png = Member(L"img/vscrollbar.png");
  std::unique_ptr<zui::SkinImage> image = zui::DecodeSkinImage(png.data(), png.size(), 0);
  ASSERT_NE(image, nullptr);
  for (int y = 0; y < image->height; ++y) {
    for (int x = 8; x < image->width; ++x) ASSERT_EQ(image->bitmap.row(y)[x] >> 24, 0u) << x << "," << y;
  }
  // Each thumb is solid in its own middle and the two differ in colour.
  const uint32_t normal = image->bitmap.row(30)[4], hot = image->bitmap.row(80)[4];
  EXPECT_EQ(normal >> 24, 0xFFu);
  EXPECT_EQ(hot >> 24, 0xFFu);
  EXPECT_NE(normal, hot);
}

// Image names in a skin: every attribute whose name ends in "image", written
// plainly or inside a style or default list (quotes as &quot;), either a bare
// file name or a descriptor with file='...'.
std::set<std::string> ImageReferences(const std::string& xml) {
  std::set<std::string> names;
  static const std::regex attribute(R"re((\w*image)=(?:"|&quot;)([^"&]*))re");
  static const std::regex file(R"re(file='([^']*)')re");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), attribute); it != std::sregex_iterator(); ++it) {
    const std::string value = (*it)[2];
    if (value.empty()) continue;
    std::smatch m;
    names.insert(std::regex_search(value, m, file) ? std::string(m[1]) : value);
  }
  return names;
}

TEST_F(BuiltArchive, EveryImageBothSkinsNameIsAMember) {
  std::map<std::string, std::set<std::string>> expected = {
      {"vxgdown.xml",
       {"img\\bgshadw.png", "img\\close.png", "img\\close_hover.png", "img\\icon.png", "img\\waiting_for.png",
        "img\\provalue_bg.png", "img\\progress_back.png", "img\\progress_fore.png", "img\\ok_normal_134@44.png",
        "img\\ok_hover_134@44.png", "img\\ok_disable_134@44.png", "img\\cancel_normal_134@44.png",
        "img\\cancel_hover_134@44.png", "img\\cancel_disable_134@44.png", "img\\ok_focus_134@44.png",
        "img\\cancel_focus_134@44.png"}},
      {"notice.xml",
       {"img\\bgshadw.png", "img\\close.png", "img\\close_hover.png", "img\\ok_normal_134@44.png",
        "img\\ok_hover_134@44.png", "img\\ok_focus_134@44.png"}},
      {"chooseNetCard.xml",
       {"img\\bgshadw.png", "img\\close.png", "img\\close_hover.png", "img\\muti_netwarning.png", "img/vscrollbar.png",
        "img\\ok_normal_134@44.png", "img\\ok_hover_134@44.png", "img\\ok_disable_134@44.png",
        "img\\cancel_normal_134@44.png", "img\\cancel_hover_134@44.png", "img\\cancel_disable_134@44.png"}},
  };
  for (const auto& [skin, images] : expected) {
    const std::string xml = Document(zsys::Utf8ToWide(skin));
    ASSERT_FALSE(xml.empty()) << skin;
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>", 0), 0u) << skin;
    const std::set<std::string> found = ImageReferences(xml);
    EXPECT_EQ(found, images) << skin;
    for (const std::string& name : found) {
      int index = -1;
      uint64_t size = 0;
      EXPECT_TRUE(archive_.FindMember(zsys::Utf8ToWide(name), false, index, size)) << skin << ": " << name;
    }
  }
}

}  // namespace

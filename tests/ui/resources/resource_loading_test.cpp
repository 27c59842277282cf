#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_test_support.h"
#include "ui/resources/document_reader.h"
#include "ui/resources/resource_settings.h"
#include "ui/resources/skin_markup.h"
#include "zip_writer.h"

namespace zui {
namespace {

using ztest::ResourceTest;

#ifdef ZAVIZ_UI_RESOURCES_FIXTURES
std::wstring ZtestFixtureFolder() { return zsys::Utf8ToWide(ZAVIZ_UI_RESOURCES_FIXTURES) + L"/"; }
#endif

const std::string kSkin = "<Window size=\"484,306\"><Label name=\"title\"/></Window>";

std::wstring LoadMessage(const wchar_t* name) {
  CSkinMarkup markup;
  if (markup.LoadFromFile(name)) return L"<loaded>";
  EXPECT_FALSE(markup.GetRoot().IsValid());
  return markup.GetLastErrorMessage();
}

class ResourceLoading : public ResourceTest {};

TEST_F(ResourceLoading, ResourceFolderAlwaysEndsWithASeparator) {
  CResourceSettings& settings = CResourceSettings::Instance();
  settings.SetResourcePath(L"C:\\skin");
  EXPECT_EQ(settings.GetResourcePath(), L"C:\\skin\\");
  settings.SetResourcePath(L"C:\\skin/");
  EXPECT_EQ(settings.GetResourcePath(), L"C:\\skin/");
  settings.SetResourcePath(L"");
  EXPECT_EQ(settings.GetResourcePath(), L"");
}

TEST_F(ResourceLoading, LooseFilesWithTheLoaderMessages) {
  CResourceSettings::Instance().SetResourcePath(Folder());
  ztest::WriteBytes(dir_ / "skins" / "vxgdown.xml", kSkin);
  ztest::WriteBytes(dir_ / "empty.xml", std::string());
  ztest::WriteBytes(dir_ / "exact.xml", "<a/>" + std::string(kMaxDocumentSize - 4, ' '));
  ztest::WriteBytes(dir_ / "over.xml", "<a/>" + std::string(kMaxDocumentSize - 3, ' '));

  CSkinMarkup markup;
  ASSERT_TRUE(markup.LoadFromFile(L"skins\\vxgdown.xml"));
  EXPECT_STREQ(markup.GetRoot().GetChild().GetAttributeValue(L"name"), L"title");
  EXPECT_EQ(LoadMessage(L"exact.xml"), L"<loaded>");
  EXPECT_EQ(LoadMessage(L"over.xml"), L"File too large");
  EXPECT_EQ(LoadMessage(L"empty.xml"), L"File is empty");
  EXPECT_EQ(LoadMessage(L"missing.xml"), L"Error opening file");
  EXPECT_EQ(LoadMessage(L"skins"), L"Error opening file");
}

TEST_F(ResourceLoading, MembersOfTheInMemoryArchive) {
  const ztest::BuiltZip zip = ztest::BuildZip({
      {"vxgdown.xml", kSkin},
      {"img/close.png", "not really a png", false},
      {"empty.xml", "", false},
      {"exact.xml", "<a/>" + std::string(kMaxDocumentSize - 4, ' ')},
      {"over.xml", "<a/>" + std::string(kMaxDocumentSize - 3, ' ')},
      {"bad.xml", kSkin},
  });
  std::vector<uint8_t> bytes = zip.bytes;
  bytes[zip.dataOffsets[5] + 3] ^= 0xFF;  // damage the last member's data
  CResourceSettings& settings = CResourceSettings::Instance();
  settings.SetResourceZip(bytes.data(), bytes.size());
  EXPECT_EQ(settings.GetResourceZip(), L"membuffer");
  EXPECT_TRUE(settings.IsResourceZipCached());
  ASSERT_NE(settings.GetResourceZipHandle(), nullptr);

  EXPECT_EQ(LoadMessage(L"vxgdown.xml"), L"<loaded>");
  EXPECT_EQ(LoadMessage(L"VXGDOWN.XML"), L"<loaded>");
  EXPECT_EQ(LoadMessage(L"exact.xml"), L"<loaded>");
  EXPECT_EQ(LoadMessage(L"over.xml"), L"File too large");
  EXPECT_EQ(LoadMessage(L"empty.xml"), L"File is empty");
  EXPECT_EQ(LoadMessage(L"nothere.xml"), L"Could not find ziped file");
  EXPECT_EQ(LoadMessage(L"bad.xml"), L"Could not unzip file");

  std::vector<uint8_t> png;
  ReadFailure failure = ReadFailure::kNone;
  ASSERT_TRUE(ReadResourceBytes(L"IMG\\CLOSE.PNG", SIZE_MAX, png, failure));
  EXPECT_EQ(std::string(png.begin(), png.end()), "not really a png");
}

TEST_F(ResourceLoading, TheFirstInMemoryArchiveStays) {
  const ztest::BuiltZip first = ztest::BuildZip({{"vxgdown.xml", kSkin}});
  const ztest::BuiltZip second = ztest::BuildZip({{"other.xml", kSkin}});
  CResourceSettings& settings = CResourceSettings::Instance();
  settings.SetResourceZip(first.bytes.data(), first.bytes.size());
  settings.SetResourceZip(second.bytes.data(), second.bytes.size(), L"ignored");
  EXPECT_EQ(settings.GetResourceZipPassword(), L"");
  EXPECT_EQ(LoadMessage(L"vxgdown.xml"), L"<loaded>");
  EXPECT_EQ(LoadMessage(L"other.xml"), L"Could not find ziped file");
}

TEST_F(ResourceLoading, ArchiveFileBelowTheFolderOpenedPerRead) {
  const ztest::BuiltZip zip = ztest::BuildZip({{"skin/main.xml", kSkin, true, "pw"}});
  ztest::WriteBytes(dir_ / "res.zip", zip.bytes);
  CResourceSettings& settings = CResourceSettings::Instance();
  settings.SetResourcePath(Folder());
  settings.SetResourceZip(L"res.zip", L"pw");
  EXPECT_FALSE(settings.IsResourceZipCached());
  EXPECT_EQ(LoadMessage(L"skin\\main.xml"), L"<loaded>");

  settings.SetResourceZip(L"res.zip", L"wrong");
  EXPECT_EQ(LoadMessage(L"skin\\main.xml"), L"Could not unzip file");
  settings.SetResourceZip(L"absent.zip");
  EXPECT_EQ(LoadMessage(L"skin\\main.xml"), L"Error opening zip file");

  settings.SetResourceZip(L"res.zip", L"pw", true);
  ASSERT_NE(settings.GetResourceZipHandle(), nullptr);
  std::filesystem::remove(dir_ / "res.zip");  // kept open: the file is no longer needed
  EXPECT_EQ(LoadMessage(L"skin/main.xml"), L"<loaded>");
}

TEST_F(ResourceLoading, EmbeddedResourcesAreFoundByTypeAndNumber) {
  static const char kBlock[] = "embedded bytes";
  RegisterEmbeddedResource(L"ZIPRES", 101, kBlock, sizeof kBlock - 1);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(LoadNativeResource(nullptr, L"ZIPRES", 101, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "embedded bytes");
  EXPECT_FALSE(LoadNativeResource(nullptr, L"ZIPRES", 102, bytes));
  EXPECT_FALSE(LoadNativeResource(nullptr, L"PNG", 101, bytes));
}

TEST_F(ResourceLoading, EmbeddedResourcesAreFoundByTypeAndName) {
  static const char kNamed[] = "named", kNumbered[] = "numbered";
  RegisterEmbeddedResource(L"ZIPRES", L"IDR_ZIPRES", kNamed, sizeof kNamed - 1);
  RegisterEmbeddedResource(L"ZIPRES", 101, kNumbered, sizeof kNumbered - 1);
  RegisterEmbeddedResource(L"ZIPRES", L"EMPTY", kNamed, 0);
  const uint8_t* data = nullptr;
  size_t size = 0;
  ASSERT_TRUE(FindNativeResource(nullptr, L"ZIPRES", L"IDR_ZIPRES", data, size));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), "named");
  EXPECT_FALSE(FindNativeResource(nullptr, L"ZIPRES", L"101", data, size));  // a name is not a number
  EXPECT_FALSE(FindNativeResource(nullptr, L"OTHER", L"IDR_ZIPRES", data, size));
  EXPECT_FALSE(FindNativeResource(nullptr, L"ZIPRES", L"EMPTY", data, size));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(LoadNativeResource(nullptr, L"ZIPRES", 101, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "numbered");
}

TEST_F(ResourceLoading, SkinArchiveFromANamedResourceServesItsDocuments) {
  const ztest::BuiltZip zip = ztest::BuildZip({{"vxgdown.xml", kSkin}});
  RegisterEmbeddedResource(L"ZIPRES", L"IDR_ZIPRES", zip.bytes.data(), zip.bytes.size());
  ASSERT_TRUE(LoadSkinArchiveResource(L"IDR_ZIPRES", L"ZIPRES"));
  CResourceSettings& settings = CResourceSettings::Instance();
  EXPECT_EQ(settings.GetResourceType(), CResourceSettings::kResourceZipResource);
  EXPECT_EQ(settings.GetResourceZip(), L"membuffer");
  EXPECT_TRUE(settings.GetResourceZipPassword().empty());
  EXPECT_EQ(LoadMessage(L"vxgdown.xml"), L"<loaded>");
}

TEST_F(ResourceLoading, MissingOrEmptySkinArchiveResourceChangesNothingButTheKind) {
  static const char kByte[] = "x";
  RegisterEmbeddedResource(L"ZIPRES", L"EMPTY", kByte, 0);
  CResourceSettings& settings = CResourceSettings::Instance();
  EXPECT_FALSE(LoadSkinArchiveResource(L"IDR_ZIPRES", L"ZIPRES"));
  EXPECT_FALSE(LoadSkinArchiveResource(L"EMPTY", L"ZIPRES"));
  EXPECT_FALSE(LoadSkinArchiveResource(nullptr, L"ZIPRES"));
  EXPECT_EQ(settings.GetResourceType(), CResourceSettings::kResourceZipResource);
  EXPECT_TRUE(settings.GetResourceZip().empty());
  EXPECT_EQ(settings.GetResourceZipHandle(), nullptr);
  EXPECT_EQ(LoadMessage(L"vxgdown.xml"), L"Error opening file");
}

#ifdef ZAVIZ_UI_RESOURCES_FIXTURES
TEST_F(ResourceLoading, DocumentsInAnArchiveMadeByPython) {
  CResourceSettings& settings = CResourceSettings::Instance();
  settings.SetResourcePath(ZtestFixtureFolder());
  settings.SetResourceZip(L"python.zip");
  CSkinMarkup markup;
  ASSERT_TRUE(markup.LoadFromFile(L"vxgdown.xml")) << markup.GetLastErrorMessage();
  EXPECT_STREQ(markup.GetRoot().GetChild().GetAttributeValue(L"text"), L"\u5F00\u59CB");
  EXPECT_EQ(LoadMessage(L"big\\exact.bin"), L"Expected start tag");  // read, then not XML
  EXPECT_EQ(LoadMessage(L"big\\over.bin"), L"File too large");
  EXPECT_EQ(LoadMessage(L"empty.xml"), L"File is empty");
}
#endif

}  // namespace
}  // namespace zui

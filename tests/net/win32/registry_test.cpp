// The registry code against network-class entries the test writes under a
// key of its own in HKEY_CURRENT_USER, deleted again afterwards.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "net/adapter_discovery.h"
#include "net/win32/win_registry_source.h"

namespace znet {
namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = L"Software\\ZavizNetTest-" + std::to_wstring(GetCurrentProcessId());
    classKey_ = base_ + L"\\{4D36E972-E325-11CE-BFC1-08002bE10318}";
    RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str()); }

  void SetString(const wchar_t* subKey, const wchar_t* name, const std::wstring& value) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (classKey_ + L"\\" + subKey).c_str(), name, REG_SZ, value.c_str(),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  void SetDword(const wchar_t* subKey, const wchar_t* name, DWORD value) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (classKey_ + L"\\" + subKey).c_str(), name, REG_DWORD, &value,
                              sizeof(value)),
              ERROR_SUCCESS);
  }
  bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  std::wstring base_, classKey_;
};

TEST_F(RegistryTest, PhysicalTableFollowsTheCharacteristicsFlag) {
  SetString(L"0000", L"NetCfgInstanceId", L"{6A1C1F0E-0000-4000-8000-000000000001}");
  SetDword(L"0000", L"Characteristics", 0x84);
  SetString(L"0001", L"NetCfgInstanceId", L"{6A1C1F0E-0000-4000-8000-000000000002}");
  SetDword(L"0001", L"Characteristics", 0x1);
  SetString(L"0002", L"NetCfgInstanceId", L"{6A1C1F0E-0000-4000-8000-000000000003}");
  SetString(L"0003", L"DriverDesc", L"no identifier");
  SetDword(L"0003", L"Characteristics", 0x4);
  SetString(L"0004", L"NetCfgInstanceId", std::wstring(60, L'X'));  // does not fit the read buffer
  SetDword(L"0004", L"Characteristics", 0x4);
  SetString(L"0005", L"NetCfgInstanceId", L"{6A1C1F0E-0000-4000-8000-000000000005}");
  SetString(L"0005", L"Characteristics", L"4");  // wrong type: unreadable

  WinRegistrySource source(HKEY_CURRENT_USER, classKey_);
  EXPECT_EQ(source.EnumSubKeys().size(), 6u);
  PhysicalCardTable table;
  LoadPhysicalCards(source, table);
  EXPECT_EQ(table, (PhysicalCardTable{{"{6A1C1F0E-0000-4000-8000-000000000001}", true},
                                      {"{6A1C1F0E-0000-4000-8000-000000000003}", false},
                                      {"{6A1C1F0E-0000-4000-8000-000000000005}", false}}));
}

TEST_F(RegistryTest, MissingClassKeyGivesNothingAndIsCreatedOnlyWhenAsked) {
  WinRegistrySource source(HKEY_CURRENT_USER, classKey_);
  PhysicalCardTable table;
  LoadPhysicalCards(source, table);
  EXPECT_TRUE(table.empty());
  EXPECT_FALSE(KeyExists(classKey_));

  std::vector<std::wstring> names;
  EnumRegSubKeys(HKEY_CURRENT_USER, classKey_, names, true);
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(KeyExists(classKey_));
}

}  // namespace
}  // namespace znet

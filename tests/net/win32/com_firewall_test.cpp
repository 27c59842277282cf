// One pass through the real Windows Firewall COM path. Under Wine the
// objects create but rule lookups answer E_NOTIMPL, which must read as "no
// such rule"; the rule procedure itself is tested with a fake store.

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include "net/platform_network.h"
#include "net/win32/com_firewall.h"

namespace znet {
namespace {

class ComFirewallTest : public ::testing::Test {
 protected:
  void SetUp() override { initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
  void TearDown() override {
    if (initialised_) CoUninitialize();
  }
  bool initialised_ = false;
};

TEST_F(ComFirewallTest, UnknownRuleReadsAsAbsent) {
  ASSERT_TRUE(initialised_);
  ComFirewall firewall;
  std::unique_ptr<IFirewallRules> rules = firewall.OpenRules();
  ASSERT_NE(rules, nullptr) << "NetFwPolicy2 and its rule collection";
  EXPECT_EQ(rules->Item(L"ZavizNetTest-no-such-rule-" + std::to_wstring(GetCurrentProcessId())), nullptr);
  EXPECT_NE(rules->CreateRule(), nullptr) << "NetFwRule";
}

TEST_F(ComFirewallTest, RuleProcedureRunsThroughTheRealInterfaces) {
  ASSERT_TRUE(initialised_);
  FirewallRequest request;
  request.ruleName = L"ZavizNetTest-" + std::to_wstring(GetCurrentProcessId());
  request.description = request.ruleName;
  request.applicationPath = L"C:\\windows\\system32\\notepad.exe";
  const bool done = AddFirewallRules(request);
  RecordProperty("rules_in_place", done ? "true" : "false");
  request.inbound = request.outbound = false;
  EXPECT_FALSE(AddFirewallRules(request));
}

}  // namespace
}  // namespace znet

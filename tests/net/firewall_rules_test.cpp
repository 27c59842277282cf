#include "net/firewall_rules.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace znet {
namespace {

struct StoredRule {
  std::wstring path, description, name;
  bool enabled = false, pathReadable = true;
  int direction = 0, protocol = 0, action = 0, pathWrites = 0, enabledWrites = 0;
};

// Edits a stored rule in place, or a new one held aside until it is added.
struct FakeRule : IFirewallRule {
  explicit FakeRule(StoredRule* r) : rule(r) {}
  bool GetApplicationName(std::wstring& p) override { return rule->pathReadable && (p = rule->path, true); }
  bool PutApplicationName(const std::wstring& p) override { return rule->path = p, ++rule->pathWrites, true; }
  bool GetEnabled(bool& e) override { return e = rule->enabled, true; }
  bool PutEnabled(bool e) override { return rule->enabled = e, ++rule->enabledWrites, true; }
  bool PutDirection(int d) override { return rule->direction = d, true; }
  bool PutDescription(const std::wstring& d) override { return rule->description = d, true; }
  bool PutProtocol(int p) override { return rule->protocol = p, true; }
  bool PutAction(int a) override { return rule->action = a, true; }
  bool PutName(const std::wstring& n) override { return rule->name = n, true; }
  StoredRule* rule;
};

struct FakeFirewall : IFirewall {
  struct Rules : IFirewallRules {
    explicit Rules(FakeFirewall& f) : owner(f) {}
    std::unique_ptr<IFirewallRule> Item(const std::wstring& name) override {
      auto found = owner.rules.find(name);
      return found == owner.rules.end() ? nullptr : std::make_unique<FakeRule>(&found->second);
    }
    std::unique_ptr<IFirewallRule> CreateRule() override {
      return std::make_unique<FakeRule>(&owner.created.emplace_back());
    }
    bool Add(IFirewallRule& rule) override {
      const StoredRule& added = *static_cast<FakeRule&>(rule).rule;
      return !owner.refuseAdd && (owner.rules[added.name] = added, true);
    }
    FakeFirewall& owner;
  };
  std::unique_ptr<IFirewallRules> OpenRules() override { return ++opened, std::make_unique<Rules>(*this); }

  std::map<std::wstring, StoredRule> rules;
  std::deque<StoredRule> created;
  int opened = 0;
  bool refuseAdd = false;
};

constexpr wchar_t kPath[] = L"C:\\Tools\\ZavizEraVaredu.exe";
constexpr wchar_t kIn[] = L"ZavizEraVaredu_InBound_Rule";
constexpr wchar_t kOut[] = L"ZavizEraVaredu_OutBound_Rule";

FirewallRequest Request() {
  FirewallRequest request;
  request.ruleName = request.description = L"ZavizEraVaredu";
  request.applicationPath = kPath;
  return request;
}

StoredRule Existing(std::wstring path, bool enabled) {
  StoredRule rule;
  rule.path = std::move(path);
  rule.enabled = enabled;
  rule.description = L"kept";
  rule.protocol = 6;
  return rule;
}

TEST(AddFirewallRules, CreatesBothRulesOnACleanSystem) {
  FakeFirewall firewall;
  EXPECT_TRUE(AddFirewallRules(Request(), firewall));
  ASSERT_EQ(firewall.rules.size(), 2u);
  EXPECT_EQ(firewall.rules.at(kIn).direction, kFirewallDirectionIn);
  EXPECT_EQ(firewall.rules.at(kOut).direction, kFirewallDirectionOut);
  for (const auto& [name, rule] : firewall.rules) {
    EXPECT_EQ(rule.path, kPath);
    EXPECT_TRUE(rule.enabled);
    EXPECT_EQ(rule.description, L"ZavizEraVaredu");
    EXPECT_EQ(rule.protocol, kFirewallProtocolAny);
    EXPECT_EQ(rule.action, kFirewallActionAllow);
  }
}

TEST(AddFirewallRules, RepairsOnlyPathAndEnabledFlagOfExistingRules) {
  FakeFirewall firewall;
  firewall.rules[kIn] = Existing(kPath, false);                           // disabled by a user
  firewall.rules[kOut] = Existing(L"D:\\Old\\ZavizEraVaredu.exe", true);  // program moved
  EXPECT_TRUE(AddFirewallRules(Request(), firewall));
  const StoredRule& in = firewall.rules.at(kIn);
  const StoredRule& out = firewall.rules.at(kOut);
  EXPECT_TRUE(in.enabled);
  EXPECT_EQ(in.pathWrites, 0);
  EXPECT_EQ(out.path, kPath);
  EXPECT_EQ(out.enabledWrites, 0);
  EXPECT_EQ(in.protocol, 6);
  EXPECT_EQ(out.description, L"kept");
  EXPECT_TRUE(firewall.created.empty());
}

TEST(AddFirewallRules, RewritesPathThatDiffersInCaseOrCannotBeRead) {
  FakeFirewall firewall;
  firewall.rules[kIn] = Existing(L"c:\\tools\\zavizeravaredu.exe", true);
  firewall.rules[kOut] = Existing(kPath, true);
  firewall.rules[kOut].pathReadable = false;
  EXPECT_TRUE(AddFirewallRules(Request(), firewall));
  EXPECT_EQ(firewall.rules.at(kIn).path, kPath);
  EXPECT_EQ(firewall.rules.at(kOut).pathWrites, 1);
}

TEST(AddFirewallRules, PartialRequestsAndRefusalsReportFalse) {
  FakeFirewall firewall;
  FirewallRequest request = Request();
  request.outbound = false;
  EXPECT_FALSE(AddFirewallRules(request, firewall));
  EXPECT_EQ(firewall.rules.size(), 1u);
  EXPECT_EQ(firewall.rules.count(kIn), 1u);

  request.inbound = false;
  EXPECT_FALSE(AddFirewallRules(request, firewall));
  EXPECT_EQ(firewall.opened, 1) << "no firewall object when nothing is asked";

  FakeFirewall refusing;
  refusing.refuseAdd = true;
  EXPECT_FALSE(AddFirewallRules(Request(), refusing));
  EXPECT_TRUE(refusing.rules.empty());
}

}  // namespace
}  // namespace znet

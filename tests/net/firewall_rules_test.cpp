#include "net/firewall_rules.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace znet {
namespace {

struct StoredRule {
  std::wstring applicationName;
  bool enabled = false;
  int direction = 0;
  std::wstring description;
  int protocol = 0;
  int action = 0;
  std::wstring name;
  bool applicationReadable = true;
  int applicationWrites = 0;
  int enabledWrites = 0;
};

// A rule object that edits a stored rule in place, or a new one held aside
// until it is added.
class FakeRule : public IFirewallRule {
 public:
  explicit FakeRule(StoredRule* target) : rule_(target) {}
  StoredRule* target() { return rule_; }

  bool GetApplicationName(std::wstring& path) override {
    if (!rule_->applicationReadable) return false;
    path = rule_->applicationName;
    return true;
  }
  bool PutApplicationName(const std::wstring& path) override {
    rule_->applicationName = path;
    ++rule_->applicationWrites;
    return true;
  }
  bool GetEnabled(bool& enabled) override {
    enabled = rule_->enabled;
    return true;
  }
  bool PutEnabled(bool enabled) override {
    rule_->enabled = enabled;
    ++rule_->enabledWrites;
    return true;
  }
  bool PutDirection(int direction) override { return rule_->direction = direction, true; }
  bool PutDescription(const std::wstring& text) override { return rule_->description = text, true; }
  bool PutProtocol(int protocol) override { return rule_->protocol = protocol, true; }
  bool PutAction(int action) override { return rule_->action = action, true; }
  bool PutName(const std::wstring& name) override { return rule_->name = name, true; }

 private:
  StoredRule* rule_;
};

class FakeFirewall : public IFirewall, public IFirewallRules {
 public:
  std::map<std::wstring, StoredRule> rules;
  std::deque<StoredRule> pending;  // new rule objects, not yet stored
  int opened = 0;
  bool refuseAdd = false;

  std::unique_ptr<IFirewallRules> OpenRules() override {
    ++opened;
    struct View : IFirewallRules {
      explicit View(FakeFirewall& f) : owner(f) {}
      std::unique_ptr<IFirewallRule> Item(const std::wstring& n) override { return owner.Item(n); }
      std::unique_ptr<IFirewallRule> CreateRule() override { return owner.CreateRule(); }
      bool Add(IFirewallRule& r) override { return owner.Add(r); }
      FakeFirewall& owner;
    };
    return std::make_unique<View>(*this);
  }
  std::unique_ptr<IFirewallRule> Item(const std::wstring& name) override {
    auto found = rules.find(name);
    return found == rules.end() ? nullptr : std::make_unique<FakeRule>(&found->second);
  }
  std::unique_ptr<IFirewallRule> CreateRule() override {
    pending.emplace_back();
    return std::make_unique<FakeRule>(&pending.back());
  }
  bool Add(IFirewallRule& rule) override {
    if (refuseAdd) return false;
    StoredRule stored = *static_cast<FakeRule&>(rule).target();
    rules[stored.name] = stored;
    return true;
  }
};

StoredRule Existing(std::wstring path, bool enabled, int protocol = 6) {
  StoredRule rule;
  rule.applicationName = std::move(path);
  rule.enabled = enabled;
  rule.description = L"kept";
  rule.protocol = protocol;
  return rule;
}

FirewallRequest Request() {
  FirewallRequest request;
  request.ruleName = L"ZavizEraVaredu";
  request.description = L"ZavizEraVaredu";
  request.applicationPath = L"C:\\Tools\\ZavizEraVaredu.exe";
  return request;
}

TEST(AddFirewallRules, CreatesBothRulesOnACleanSystem) {
  FakeFirewall firewall;
  EXPECT_TRUE(AddFirewallRules(Request(), firewall));
  ASSERT_EQ(firewall.rules.size(), 2u);
  const StoredRule& in = firewall.rules.at(L"ZavizEraVaredu_InBound_Rule");
  const StoredRule& out = firewall.rules.at(L"ZavizEraVaredu_OutBound_Rule");
  EXPECT_EQ(in.direction, kFirewallDirectionIn);
  EXPECT_EQ(out.direction, kFirewallDirectionOut);
  for (const StoredRule* rule : {&in, &out}) {
    EXPECT_EQ(rule->applicationName, L"C:\\Tools\\ZavizEraVaredu.exe");
    EXPECT_TRUE(rule->enabled);
    EXPECT_EQ(rule->description, L"ZavizEraVaredu");
    EXPECT_EQ(rule->protocol, kFirewallProtocolAny);
    EXPECT_EQ(rule->action, kFirewallActionAllow);
  }
}

TEST(AddFirewallRules, RepairsPathAndEnabledFlagOfExistingRulesOnly) {
  FakeFirewall firewall;
  firewall.rules[L"ZavizEraVaredu_InBound_Rule"] = Existing(L"C:\\Tools\\ZavizEraVaredu.exe", false, 6);
  firewall.rules[L"ZavizEraVaredu_OutBound_Rule"] = Existing(L"D:\\Old\\ZavizEraVaredu.exe", true, 17);
  EXPECT_TRUE(AddFirewallRules(Request(), firewall));
  const StoredRule& in = firewall.rules.at(L"ZavizEraVaredu_InBound_Rule");
  const StoredRule& out = firewall.rules.at(L"ZavizEraVaredu_OutBound_Rule");
  EXPECT_TRUE(in.enabled);
  EXPECT_EQ(in.applicationWrites, 0);  // path already right: untouched
  EXPECT_EQ(out.applicationName, L"C:\\Tools\\ZavizEraVaredu.exe");
  EXPECT_EQ(out.enabledWrites, 0);
  // Nothing else about an existing rule changes.
  EXPECT_EQ(in.protocol, 6);
  EXPECT_EQ(out.protocol, 17);
  EXPECT_EQ(out.action, 0);
  EXPECT_EQ(in.description, L"kept");
  EXPECT_TRUE(firewall.pending.empty());
}

TEST(AddFirewallRules, RewritesPathThatDiffersInCaseOrCannotBeRead) {
  FakeFirewall firewall;
  firewall.rules[L"ZavizEraVaredu_InBound_Rule"] = Existing(L"c:\\tools\\zavizeravaredu.exe", true);
  StoredRule unreadable = Existing(L"C:\\Tools\\ZavizEraVaredu.exe", true);
  unreadable.applicationReadable = false;
  firewall.rules[L"ZavizEraVaredu_OutBound_Rule"] = unreadable;
  EXPECT_TRUE(AddFirewallRules(Request(), firewall));
  EXPECT_EQ(firewall.rules.at(L"ZavizEraVaredu_InBound_Rule").applicationName, L"C:\\Tools\\ZavizEraVaredu.exe");
  EXPECT_EQ(firewall.rules.at(L"ZavizEraVaredu_OutBound_Rule").applicationWrites, 1);
}

TEST(AddFirewallRules, OneDirectionIsHandledButReportsFalse) {
  FakeFirewall firewall;
  FirewallRequest request = Request();
  request.outbound = false;
  EXPECT_FALSE(AddFirewallRules(request, firewall));
  EXPECT_EQ(firewall.rules.size(), 1u);
  EXPECT_EQ(firewall.rules.count(L"ZavizEraVaredu_InBound_Rule"), 1u);
}

TEST(AddFirewallRules, NoDirectionOpensNothing) {
  FakeFirewall firewall;
  FirewallRequest request = Request();
  request.inbound = request.outbound = false;
  EXPECT_FALSE(AddFirewallRules(request, firewall));
  EXPECT_EQ(firewall.opened, 0);
}

TEST(AddFirewallRules, RefusedAddMakesTheResultFalse) {
  FakeFirewall firewall;
  firewall.refuseAdd = true;
  EXPECT_FALSE(AddFirewallRules(Request(), firewall));
  EXPECT_TRUE(firewall.rules.empty());
}

}  // namespace
}  // namespace znet

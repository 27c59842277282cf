#include "net/firewall_rules.h"

namespace znet {
namespace {

void RepairExistingRule(IFirewallRule& rule, const std::wstring& applicationPath) {
  std::wstring current;
  if (!rule.GetApplicationName(current) || current != applicationPath) {
    rule.PutApplicationName(applicationPath);
  }
  bool enabled = false;
  if (rule.GetEnabled(enabled) && !enabled) rule.PutEnabled(true);
}

bool CreateRule(IFirewallRules& rules, const FirewallRequest& request, const std::wstring& name, int direction,
                int action) {
  std::unique_ptr<IFirewallRule> rule = rules.CreateRule();
  if (!rule) return false;
  // The store judges the finished rule when it is added; single property
  // writes are not checked, as a refused one shows up there.
  rule->PutApplicationName(request.applicationPath);
  rule->PutDirection(direction);
  rule->PutDescription(request.description);
  rule->PutProtocol(kFirewallProtocolAny);
  rule->PutEnabled(true);
  rule->PutAction(action);
  rule->PutName(name);
  return rules.Add(*rule);
}

bool EnsureRule(IFirewallRules& rules, const FirewallRequest& request, const std::wstring& name, int direction,
                int action) {
  if (std::unique_ptr<IFirewallRule> existing = rules.Item(name)) {
    RepairExistingRule(*existing, request.applicationPath);
    return true;
  }
  return CreateRule(rules, request, name, direction, action);
}

}  // namespace

bool AddFirewallRules(const FirewallRequest& request, IFirewall& firewall) {
  if (!request.inbound && !request.outbound) return false;
  std::unique_ptr<IFirewallRules> rules = firewall.OpenRules();
  if (!rules) return false;
  bool inboundDone = false;
  if (request.inbound) {
    inboundDone =
        EnsureRule(*rules, request, request.ruleName + kInboundRuleSuffix, kFirewallDirectionIn, request.inboundAction);
  }
  bool outboundDone = false;
  if (request.outbound) {
    outboundDone = EnsureRule(*rules, request, request.ruleName + kOutboundRuleSuffix, kFirewallDirectionOut,
                              request.outboundAction);
  }
  return inboundDone && outboundDone;
}

}  // namespace znet

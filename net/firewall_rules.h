#pragma once
// Making sure the firewall lets the program's own executable through, in and
// out. Rules are created when missing and repaired when present; never removed.

#include <cstdint>
#include <string>

#include "net/firewall_store.h"

namespace znet {

struct FirewallRequest {
  std::wstring ruleName;  // base of the two rule names
  std::wstring description;
  std::wstring applicationPath;
  bool inbound = true;
  bool outbound = true;
  int32_t inboundAction = kFirewallActionAllow;
  int32_t outboundAction = kFirewallActionAllow;
};

inline constexpr wchar_t kInboundRuleSuffix[] = L"_InBound_Rule";
inline constexpr wchar_t kOutboundRuleSuffix[] = L"_OutBound_Rule";

// True only when both directions were asked for and both rules are in place.
bool AddFirewallRules(const FirewallRequest& request, IFirewall& firewall);

}  // namespace znet

#pragma once
// The host firewall's rule store as the rule procedure sees it: the shape of
// the Windows Firewall COM interfaces, with failures as return values.

#include <memory>
#include <string>

namespace znet {

inline constexpr int kFirewallDirectionIn = 1;    // NET_FW_RULE_DIR_IN
inline constexpr int kFirewallDirectionOut = 2;   // NET_FW_RULE_DIR_OUT
inline constexpr int kFirewallActionAllow = 1;    // NET_FW_ACTION_ALLOW
inline constexpr int kFirewallProtocolAny = 256;  // NET_FW_IP_PROTOCOL_ANY

class IFirewallRule {
 public:
  virtual ~IFirewallRule() = default;
  virtual bool GetApplicationName(std::wstring& path) = 0;
  virtual bool PutApplicationName(const std::wstring& path) = 0;
  virtual bool GetEnabled(bool& enabled) = 0;
  virtual bool PutEnabled(bool enabled) = 0;
  virtual bool PutDirection(int direction) = 0;
  virtual bool PutDescription(const std::wstring& description) = 0;
  virtual bool PutProtocol(int protocol) = 0;
  virtual bool PutAction(int action) = 0;
  virtual bool PutName(const std::wstring& name) = 0;
};

class IFirewallRules {
 public:
  virtual ~IFirewallRules() = default;
  // Null when the lookup fails or finds nothing.
  virtual std::unique_ptr<IFirewallRule> Item(const std::wstring& name) = 0;
  // A new, unstored rule object; null when it cannot be created.
  virtual std::unique_ptr<IFirewallRule> CreateRule() = 0;
  // Stores a rule made by CreateRule of the same store.
  virtual bool Add(IFirewallRule& rule) = 0;
};

class IFirewall {
 public:
  virtual ~IFirewall() = default;
  // Creates the firewall policy object and gets its rule collection; null
  // when either step fails.
  virtual std::unique_ptr<IFirewallRules> OpenRules() = 0;
};

}  // namespace znet

#include "net/win32/com_firewall.h"

#include <windows.h>
#include <netfw.h>
#include <oleauto.h>

namespace znet {
namespace {

// The published identifiers, spelled out so the build needs no uuid library
// that carries them.
constexpr CLSID kClsidNetFwPolicy2 = {0xE2B3C97F, 0x6AE1, 0x41AC, {0x81, 0x7A, 0xF6, 0xF9, 0x21, 0x66, 0xD7, 0xDD}};
constexpr IID kIidNetFwPolicy2 = {0x98325047, 0xC671, 0x4174, {0x8D, 0x81, 0xDE, 0xFC, 0xD3, 0xF0, 0x31, 0x86}};
constexpr CLSID kClsidNetFwRule = {0x2C5BC43E, 0x3369, 0x4C33, {0xAB, 0x0C, 0xBE, 0x94, 0x69, 0x67, 0x7A, 0xF4}};
constexpr IID kIidNetFwRule = {0xAF230D27, 0xBABA, 0x4E42, {0xAC, 0xED, 0xF5, 0x24, 0xF2, 0x2C, 0xFC, 0xE2}};

// Owns one BSTR for the duration of a call.
class Bstr {
 public:
  explicit Bstr(const std::wstring& text) : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  Bstr() = default;
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return value_; }
  BSTR* out() { return &value_; }
  std::wstring text() const { return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring(); }

 private:
  BSTR value_ = nullptr;
};

template <typename T>
void Release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

class ComRule : public IFirewallRule {
 public:
  explicit ComRule(INetFwRule* rule) : rule_(rule) {}
  ~ComRule() override { Release(rule_); }
  INetFwRule* get() const { return rule_; }

  bool GetApplicationName(std::wstring& path) override {
    Bstr name;
    if (FAILED(rule_->get_ApplicationName(name.out()))) return false;
    path = name.text();
    return true;
  }
  bool PutApplicationName(const std::wstring& path) override {
    Bstr name(path);
    return name.get() && SUCCEEDED(rule_->put_ApplicationName(name.get()));
  }
  bool GetEnabled(bool& enabled) override {
    VARIANT_BOOL value = VARIANT_FALSE;
    if (FAILED(rule_->get_Enabled(&value))) return false;
    enabled = value != VARIANT_FALSE;
    return true;
  }
  bool PutEnabled(bool enabled) override {
    return SUCCEEDED(rule_->put_Enabled(enabled ? VARIANT_TRUE : VARIANT_FALSE));
  }
  bool PutDirection(int direction) override {
    return SUCCEEDED(rule_->put_Direction(static_cast<NET_FW_RULE_DIRECTION>(direction)));
  }
  bool PutDescription(const std::wstring& description) override {
    Bstr text(description);
    return text.get() && SUCCEEDED(rule_->put_Description(text.get()));
  }
  bool PutProtocol(int protocol) override { return SUCCEEDED(rule_->put_Protocol(protocol)); }
  bool PutAction(int action) override { return SUCCEEDED(rule_->put_Action(static_cast<NET_FW_ACTION>(action))); }
  bool PutName(const std::wstring& name) override {
    Bstr text(name);
    return text.get() && SUCCEEDED(rule_->put_Name(text.get()));
  }

 private:
  INetFwRule* rule_;
};

class ComRules : public IFirewallRules {
 public:
  explicit ComRules(INetFwRules* rules) : rules_(rules) {}
  ~ComRules() override { Release(rules_); }

  std::unique_ptr<IFirewallRule> Item(const std::wstring& name) override {
    Bstr text(name);
    INetFwRule* rule = nullptr;
    if (!text.get() || FAILED(rules_->Item(text.get(), &rule)) || rule == nullptr) return nullptr;
    return std::make_unique<ComRule>(rule);
  }

  std::unique_ptr<IFirewallRule> CreateRule() override {
    INetFwRule* rule = nullptr;
    if (FAILED(CoCreateInstance(kClsidNetFwRule, nullptr, CLSCTX_INPROC_SERVER, kIidNetFwRule,
                                reinterpret_cast<void**>(&rule))) ||
        rule == nullptr) {
      return nullptr;
    }
    return std::make_unique<ComRule>(rule);
  }

  bool Add(IFirewallRule& rule) override {
    auto* comRule = dynamic_cast<ComRule*>(&rule);
    return comRule != nullptr && SUCCEEDED(rules_->Add(comRule->get()));
  }

 private:
  INetFwRules* rules_;
};

}  // namespace

std::unique_ptr<IFirewallRules> ComFirewall::OpenRules() {
  INetFwPolicy2* policy = nullptr;
  if (FAILED(CoCreateInstance(kClsidNetFwPolicy2, nullptr, CLSCTX_INPROC_SERVER, kIidNetFwPolicy2,
                              reinterpret_cast<void**>(&policy))) ||
      policy == nullptr) {
    return nullptr;
  }
  INetFwRules* rules = nullptr;
  const HRESULT hr = policy->get_Rules(&rules);
  Release(policy);  // the collection keeps what it needs of the policy
  if (FAILED(hr) || rules == nullptr) return nullptr;
  return std::make_unique<ComRules>(rules);
}

}  // namespace znet

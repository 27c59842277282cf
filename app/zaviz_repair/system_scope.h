#pragma once
// What the repair needs of the system around its run. Windows: COM for the
// firewall, and inbound and outbound rules for this program (named after
// it, so the wizard's own rules keep pointing at the wizard). Linux: nothing.

namespace zaviz_repair {

class SystemScope {
 public:
  SystemScope();
  ~SystemScope();
  SystemScope(const SystemScope&) = delete;
  SystemScope& operator=(const SystemScope&) = delete;
};

}  // namespace zaviz_repair

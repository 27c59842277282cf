#include "app/zaviz_repair/system_scope.h"

#include <windows.h>
#include <objbase.h>

#include "net/platform_network.h"
#include "sys/program_path.h"

namespace zaviz_repair {

SystemScope::SystemScope() {
  CoInitialize(nullptr);
  znet::FirewallRequest request;
  request.ruleName = L"zaviz-repair";
  request.description = L"ZavizEraVaredu zaviz-repair";
  request.applicationPath = zsys::ProgramPath().wstring();
  request.inbound = request.outbound = true;
  request.inboundAction = request.outboundAction = 1;
  znet::AddFirewallRules(request);  // a refusal does not stop the repair
}

SystemScope::~SystemScope() { CoUninitialize(); }

}  // namespace zaviz_repair

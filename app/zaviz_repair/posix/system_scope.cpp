#include "app/zaviz_repair/system_scope.h"

namespace zaviz_repair {

// No firewall is changed on Linux (the repair runs as root or with the capabilities).
SystemScope::SystemScope() = default;
SystemScope::~SystemScope() = default;

}  // namespace zaviz_repair

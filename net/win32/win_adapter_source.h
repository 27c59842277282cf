#pragma once
// The adapter list on Windows: GetAdaptersInfo.

#include "net/adapter_source.h"

namespace znet {

class WinAdapterSource : public IAdapterSource {
 public:
  AdapterQuery ListAdapters(std::vector<AdapterEntry>& adapters) override;
};

}  // namespace znet

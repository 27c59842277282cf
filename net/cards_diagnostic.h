#pragma once
// What `zaviz-tftpd --cards` prints, so that a user whose repair finds "no
// wired card" can see which adapters the system lists and why each is or is
// not offered.

#include <cstdio>

#include "net/adapter_source.h"
#include "net/registry_source.h"

namespace znet {

// With this platform's real backends. Returns the number of eligible cards.
int PrintCardsDiagnostic(std::FILE* out);

int PrintCardsDiagnostic(std::FILE* out, IRegistrySource& registry, IAdapterSource& adapters);

}  // namespace znet

#include "ui/host/sdl/sdl_host.h"

#include <utility>

#include "ui/host/emulated/emulated_host.h"
#include "ui/host/sdl/sdl_backend.h"

namespace zui {

std::unique_ptr<IUiHost> CreateSdlHost(std::string& error) {
  std::unique_ptr<sdl::SdlBackend> backend = sdl::SdlBackend::Open(error);
  if (!backend) return nullptr;
  return std::make_unique<EmulatedHost>(std::move(backend));
}

}  // namespace zui

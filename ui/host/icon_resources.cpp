#include "ui/host/icon_resources.h"

#include <map>
#include <mutex>
#include <utility>

namespace zui {
namespace {

struct IconTable {
  std::mutex mutex;
  std::map<int, Bitmap> pictures;
};

IconTable& Table() {
  static IconTable table;
  return table;
}

}  // namespace

void RegisterIconResource(int id, Bitmap picture) {
  IconTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  if (picture.empty()) {
    table.pictures.erase(id);
    return;
  }
  table.pictures[id] = std::move(picture);
}

std::optional<Bitmap> FindIconResource(int id) {
  IconTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto it = table.pictures.find(id);
  if (it == table.pictures.end()) return std::nullopt;
  return it->second;
}

}  // namespace zui

#include "tftp/root_path.h"

#include <filesystem>
#include <system_error>

namespace ztftp {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool HasParentComponent(const std::string& name) {
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (name.compare(start, end - start, "..") == 0 && end - start == 2) return true;
    start = end + 1;
  }
  return false;
}

bool LexicallyWithin(const std::filesystem::path& inner, const std::filesystem::path& outer) {
  auto o = outer.begin();
  auto i = inner.begin();
  for (; o != outer.end(); ++o, ++i) {
    if (o->empty()) continue;  // a trailing separator
    if (i == inner.end() || *i != *o) return false;
  }
  return true;
}

}  // namespace

bool ResolveInsideRoot(const std::string& root, const std::string& name, std::string* resolved) {
  if (!name.empty() && IsSeparator(name[0])) return false;  // absolute, or UNC
  if (name.size() >= 2 && name[1] == ':') return false;     // drive letter
  if (HasParentComponent(name)) return false;
  // Both separators name subfolders, as peers written for Windows expect.
  std::string relative = name;
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  *resolved = root + "/" + relative;

  // Links inside the root may still point out of it.
  std::error_code error;
  const auto real_root = std::filesystem::weakly_canonical(std::filesystem::path(root), error);
  if (error) return false;
  const auto real_target = std::filesystem::weakly_canonical(std::filesystem::path(*resolved), error);
  if (error) return false;
  return LexicallyWithin(real_target, real_root);
}

}  // namespace ztftp

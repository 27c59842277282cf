#pragma once
// Keeps requested names inside the server's root folder.

#include <string>

namespace ztftp {

// The resolved path "root/name" when `name` is a plain relative name that
// stays inside `root` (subfolders allowed, either separator); false for an
// absolute name, a drive or UNC prefix, a ".." component, or a name that
// leads out of the root through a link.
bool ResolveInsideRoot(const std::string& root, const std::string& name, std::string* resolved);

}  // namespace ztftp

#pragma once
// Where the windows' skins come from: the skin archive among the program's
// resources.

namespace zapp {

// Hands the toolkit the module and the skin archive; a missing archive is
// silently nothing (the window then cannot be built).
void PrepareRepairSkins(void* module);

}  // namespace zapp

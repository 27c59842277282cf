#pragma once
// The repair program's skin archive and window icon as program resources.
// On Windows they are the executable's own (the resource script adds them);
// elsewhere the archive bytes and the icon are compiled in as data, and this
// registers them under the names the program looks up: the block "IDR_ZIPRES"
// of type "ZIPRES" and icon 138.

namespace zapp {

inline constexpr const wchar_t* kSkinArchiveResourceName = L"IDR_ZIPRES";
inline constexpr const wchar_t* kSkinArchiveResourceType = L"ZIPRES";
inline constexpr int kWindowIconResource = 138;

// Call once before the skin archive is loaded. Does nothing on Windows.
void RegisterRepairSkinArchive();

}  // namespace zapp

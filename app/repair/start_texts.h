#pragma once
// The texts that say, before anything changes, what a click will do: the
// start page's status line, and the details added to the firmware and port
// failures. "{1}", "{2}"... stand for the values (FillText), so another
// language may order them as it needs.

namespace zapp {

// The card: its name and description, or how many there are.
inline constexpr const wchar_t* kStatusOneCard = L"网卡 {1} 将获得地址 {2}";
inline constexpr const wchar_t* kStatusSeveralCards = L"检测到 {1} 张有线网卡：开始修复时请选择连接Vombel的那张";
inline constexpr const wchar_t* kStatusNoCard = L"未检测到有线网卡，请确认网卡已安装并启用";
inline constexpr const wchar_t* kCardNameAndDescription = L"{1}（{2}）";

// The firmware: found (name, size, folder), or why not.
inline constexpr const wchar_t* kFirmwareFound = L"固件 {1}，{2}，位于 {3}";
inline constexpr const wchar_t* kFirmwareNotFound = L"未找到固件 {1}（已查找：{2}）";
inline constexpr const wchar_t* kFirmwareEmpty = L"固件 {1} 是空文件（0 字节），位于 {2}";
inline constexpr const wchar_t* kFirmwareIsFolder = L"{1} 是一个文件夹，不是固件文件，位于 {2}";
inline constexpr const wchar_t* kFirmwareNotReadable = L"无法读取 {1}，位于 {2}";
inline constexpr const wchar_t* kFirmwareNearName = L"{1} 中有 {2}：请将它改名为 {3}";
// The same, when the line before named that one folder.
inline constexpr const wchar_t* kFirmwareNearNameHere = L"同一文件夹中有 {1}：请将它改名为 {2}";
inline constexpr const wchar_t* kFolderSeparator = L"、";
inline constexpr const wchar_t* kSizeBytes = L"{1} 字节";
inline constexpr const wchar_t* kSizeMegabytes = L"{1} MB";

// Who holds the server's port, and the usual way to stop it.
inline constexpr const wchar_t* kPortHeldBy = L"端口{1}正被 {2}（进程号 {3}）占用。";
inline constexpr const wchar_t* kPortHeldByUnnamed = L"端口{1}正被进程号 {2} 的程序占用，无法查看它的名称。";
inline constexpr const wchar_t* kPortHeldUnseen =
    L"端口{1}已被占用，但无法查看占用它的程序（可能属于其他用户，需要管理员权限才能查看）。";
inline constexpr const wchar_t* kPortStopService = L"可用 sudo systemctl stop {1} 停止它。";
inline constexpr const wchar_t* kPortStopOther = L"它可能是另一个TFTP服务器，请先关闭它再重试。";

}  // namespace zapp

#pragma once
// The texts of the status line under the waiting and downloading pages: what
// the watch on the repair card found. "{}" stands for the one value a text
// names (an address, a file name, a number of seconds).

namespace zapp {

// Before the finding on a line of zaviz-repair's output.
inline constexpr const wchar_t* kDiagTerminalPrefix = L"状态：";
inline constexpr const wchar_t* kDiagWatching = L"正在等待Vombel的请求（本机地址192.168.1.2）";
inline constexpr const wchar_t* kDiagLinkDown = L"网线未连接或链路断开：请将网线插到Vombel的任一LAN口";
inline constexpr const wchar_t* kDiagLinkUp = L"网线已连接，正在等待Vombel的请求";
inline constexpr const wchar_t* kDiagLinkLost = L"修复过程中网线断开：请检查网线，Vombel会重新请求固件";
inline constexpr const wchar_t* kDiagAddressPutBack = L"网卡地址192.168.1.2被移除后已重新设置";
inline constexpr const wchar_t* kDiagBoxSeen = L"已收到Vombel（{}）的第一个数据包";
inline constexpr const wchar_t* kDiagOtherServer = L"Vombel在寻找服务器地址{}，不是本机的192.168.1.2";
inline constexpr const wchar_t* kDiagUnknownName = L"Vombel请求的文件“{}”不存在，本工具只提供upgradeimage.bin";
inline constexpr const wchar_t* kDiagTransferStarted = L"Vombel（{}）开始下载固件";
inline constexpr const wchar_t* kDiagNoAck = L"Vombel已{}秒没有确认收到的数据，请检查网线和Vombel的电源";
inline constexpr const wchar_t* kDiagGivenUp = L"Vombel长时间没有应答，文件服务器已放弃本次传输，请重新上电重试";
inline constexpr const wchar_t* kDiagResumed = L"Vombel恢复了应答，下载继续";
inline constexpr const wchar_t* kDiagRestarted = L"Vombel重新开始了下载，进度从新的传输继续";
inline constexpr const wchar_t* kDiagAskedAgain = L"Vombel在更新阶段再次请求固件：它没有接受这个固件，修复未成功";
inline constexpr const wchar_t* kDiagCannotSeeLink = L"无法读取网线的连接状态";
inline constexpr const wchar_t* kDiagCannotCapture = L"无法在网卡上抓包，看不到Vombel的ARP请求";
inline constexpr const wchar_t* kDiagCannotSeeArp = L"没有抓包权限（cap_net_raw），看不到Vombel的ARP请求";

}  // namespace zapp

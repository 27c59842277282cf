#pragma once
// The texts and fixed values of the repair window.

#include <cstdint>

namespace zapp {

inline constexpr const wchar_t* kEndUpgradeText =
    L"请检查Vombel的指示灯是否是红色或蓝色\n如果为其他颜色，请尝试重新修复";
inline constexpr const wchar_t* kUpgradeingText = L"修复中\n请勿退出修复工具";
inline constexpr const wchar_t* kStartText = L"请保持Vombel电源断开\n 将PC用网线连接Vombel任一LAN口";
inline constexpr const wchar_t* kBeginButtonText = L"等待修复中";
inline constexpr const wchar_t* kWaitingText =
    L"先按住Vombel电源一侧的MESH键,再接通电源\n待exe工具出现进度条后可松开MESH按键，开始自动修复";
inline constexpr const wchar_t* kUpdatingStatus = L"正在更新";

inline constexpr const wchar_t* kNoWiredCardText = L"未检测到有线网卡！";
inline constexpr const wchar_t* kFirmwareText = L"获取固件信息失败，请确认固件文件正确，再尝试修复！";
inline constexpr const wchar_t* kPortBusyText = L"文件服务器开启失败，请确认端口69没有被占用！";
#ifdef _WIN32
inline constexpr const wchar_t* kServerPrivilegeText = L"文件服务器开启失败，请以管理员权限运行修复工具！";
inline constexpr const wchar_t* kAddressFailedText = L"网卡地址设置失败，请以管理员权限运行修复工具！";
#else
// Linux has no "run as administrator": root through sudo, or the capabilities
// the README gives the program once.
inline constexpr const wchar_t* kServerPrivilegeText =
    L"文件服务器开启失败，请用sudo运行修复工具，或按README用setcap为它设置网络权限！";
inline constexpr const wchar_t* kAddressFailedText =
    L"网卡地址设置失败，请用sudo运行修复工具，或按README用setcap为它设置网络权限！";
#endif

// The skins' footer. It is true on Windows, where the card's own setup is
// replaced for the repair; Linux adds the repair address beside the card's
// own, and the PC stays online.
inline constexpr const wchar_t* kFooterLosesNetwork = L"修复过程中本机可能无法正常上网，修复完成后恢复";
inline constexpr const wchar_t* kFooterKeepsNetwork = L"修复过程中本机网络不受影响，可以正常上网";

// Before the path of the support log on the failure and finished pages.
inline constexpr const wchar_t* kSupportLogText = L"修复日志：";

inline constexpr const wchar_t* kChooserTitle = L"选择网卡";
inline constexpr const wchar_t* kChooserOkText = L"确定";
inline constexpr const wchar_t* kAlreadyRunningText = L"实例已经在运行中";
inline constexpr const wchar_t* kNoticeTitle = L"提示";
inline constexpr const wchar_t* kNormalIcon = L"file='img\\icon.png'";
inline constexpr const wchar_t* kWarningIcon = L"file='img\\warning.png'";

inline constexpr const char* kServerBindAddress = "0.0.0.0";
inline constexpr int kServerPort = 69;

// The download fills the bar to this percentage, the finishing timer the rest.
inline constexpr int kDownloadShare = 60;
inline constexpr uintptr_t kFinishingTimerId = 101;
inline constexpr uint32_t kFinishingTimerMs = 3000;
// The diagnosis's silence timer is looked at this often.
inline constexpr uintptr_t kDiagnosisTimerId = 102;
inline constexpr uint32_t kDiagnosisTickMs = 1000;

}  // namespace zapp

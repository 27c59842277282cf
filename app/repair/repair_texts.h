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
inline constexpr const wchar_t* kServerPrivilegeText = L"文件服务器开启失败，请以管理员权限运行修复工具！";
inline constexpr const wchar_t* kAddressFailedText = L"网卡地址设置失败，请以管理员权限运行修复工具！";

// Before the path of the support log on the failure and finished pages.
inline constexpr const wchar_t* kSupportLogText = L"修复日志：";

inline constexpr const wchar_t* kChooserTitle = L"选择网卡";
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

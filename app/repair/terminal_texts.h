#pragma once
// The texts of zaviz-repair besides those it shares with the window: its
// endings, questions, bad-usage messages and help. "{1}", "{2}"... stand for
// the values (FillText).

namespace zapp {

// The endings.
inline constexpr const wchar_t* kTermRepaired = L"修复完成，网卡已恢复原来的设置";
inline constexpr const wchar_t* kTermNotGivenBack = L"网卡无法恢复原来的设置，下次启动时会再次尝试";
inline constexpr const wchar_t* kTermNotConfirmed = L"没有确认更改，未做任何改动";
inline constexpr const wchar_t* kTermNoCardChosen = L"没有选择网卡，未做任何改动";
inline constexpr const wchar_t* kTermStoppedGivenBack = L"修复在完成前被中止，网卡已恢复原来的设置";
inline constexpr const wchar_t* kTermStoppedUnchanged = L"已中止，未做任何改动";
inline constexpr const wchar_t* kTermEarlierRunRestored = L"上次运行留下修复地址的网卡已恢复原来的设置";
inline constexpr const wchar_t* kTermAlreadyRunning = L"实例已经在运行中（修复向导或另一个zaviz-repair正在运行）";

// The questions.
inline constexpr const wchar_t* kTermWhichCard = L"检测到多张有线网卡。哪一张连接着Vombel？";
inline constexpr const wchar_t* kTermCardNumber = L"网卡编号（直接按回车表示不选）：";
inline constexpr const wchar_t* kTermCardChange =
    L"网卡 {1} 在修复期间使用地址 {2}（掩码 {3}），修复后恢复原来的设置（{4}）。";
inline constexpr const wchar_t* kTermAddressAndMask = L"{1}，掩码 {2}";
inline constexpr const wchar_t* kTermGoOn = L"继续吗？[y/N] ";
inline constexpr const wchar_t* kTermTimeLeft = L"剩余 {1}";

// Bad usage.
inline constexpr const wchar_t* kTermSeeHelp = L"{1}（参见 zaviz-repair --help）";
inline constexpr const wchar_t* kTermUnknownOption = L"未知选项“{1}”";
inline constexpr const wchar_t* kTermNeedsValue = L"{1} 需要一个值";
inline constexpr const wchar_t* kTermBadLanguage = L"--lang 只能是 zh 或 en";
inline constexpr const wchar_t* kTermNoSuchNumber = L"--card {1}：没有这个编号的网卡；{2}";
inline constexpr const wchar_t* kTermNoSuchCard = L"--card {1}：没有这张网卡；{2}";
inline constexpr const wchar_t* kTermNoWiredCard = L"没有有线网卡";
inline constexpr const wchar_t* kTermWiredCardsAre = L"有线网卡：";
inline constexpr const wchar_t* kTermOtherAdapters = L"；其他网卡：";

inline constexpr const wchar_t* kTermUsage =
    L"用法：zaviz-repair [--card 名称|编号] [--firmware 路径] [--lang zh|en] [--yes] [--verbose]\n"
    L"在终端中修复Vombel：通过一张有线网卡用TFTP向它的引导程序提供upgradeimage.bin，\n"
    L"修复期间这张网卡使用地址192.168.1.2/24。\n"
    L"  --card 名称|编号   连接Vombel的网卡：它的接口（适配器）名称，或它在有线网卡\n"
    L"                     列表中的编号；不指定时只有一张就用它，有多张则列出供选择\n"
    L"  --firmware 路径    固件文件（默认：程序旁边的upgradeimage.bin，否则为当前\n"
    L"                     文件夹中的）\n"
    L"  --lang zh|en       文字的语言（默认跟随系统语言）\n"
    L"  --yes, -y          更改网卡地址前不再询问\n"
    L"  --verbose, -v      同时输出网卡信息和修复流程的详细记录\n"
    L"  --help, -h         显示本说明\n"
    L"  --version          显示版本\n"
    L"退出码：0 修复完成，1 失败或被中止（原因在最后一行），\n"
    L"2 用法错误（包括 --card 指定的不是有线网卡）。\n"
    L"Ctrl+C、SIGTERM或SIGHUP中止修复；网卡会恢复原来的设置。\n";

}  // namespace zapp

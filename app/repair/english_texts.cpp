#include "app/repair/english_texts.h"

#include <iterator>

#include "app/repair/diagnosis_texts.h"
#include "app/repair/repair_texts.h"
#include "app/repair/start_texts.h"
#include "app/repair/terminal_texts.h"

namespace zapp {

// Linux's own wording of the privilege failures.
#ifndef _WIN32
constexpr const wchar_t* kServerPrivilegeEnglish =
    L"The file server could not start. Run the repair tool with sudo, or give it the network rights with setcap "
    L"(see the README)!";
constexpr const wchar_t* kAddressFailedEnglish =
    L"The card's address could not be set. Run the repair tool with sudo, or give it the network rights with setcap "
    L"(see the README)!";
#else
constexpr const wchar_t* kServerPrivilegeEnglish =
    L"The file server could not start. Please run the repair tool as administrator!";
constexpr const wchar_t* kAddressFailedEnglish =
    L"The card's address could not be set. Please run the repair tool as administrator!";
#endif

const TranslatedText kEnglishTexts[] = {
    // The repair window's texts.
    {kEndUpgradeText,
     L"Check that the Vombel's light is red or blue.\nIf it shows another colour, please repair again."},
    {kUpgradeingText, L"Repairing\nDo not quit the repair tool"},
    {kStartText, L"Keep the Vombel switched off\nConnect the PC by cable to any LAN port of the Vombel"},
    {kBeginButtonText, L"Waiting"},
    {kWaitingText, L"Hold MESH (by the power socket) and power the Vombel on.\n"
                   L"Let go when the progress bar appears: the repair runs itself."},
    {kUpdatingStatus, L"Updating"},
    {kNoWiredCardText, L"No wired network card was found!"},
    {kFirmwareText, L"Could not read the firmware. Check the firmware file, then try again!"},
    {kPortBusyText, L"The file server could not start. Make sure port 69 is free!"},
    {kServerPrivilegeText, kServerPrivilegeEnglish},
    {kAddressFailedText, kAddressFailedEnglish},
    {kFooterLosesNetwork, L"The PC may be offline during the repair; its network comes back afterwards"},
    {kFooterKeepsNetwork, L"The PC keeps its network during the repair"},
    {kSupportLogText, L"Repair log: "},
    {kChooserTitle, L"Choose a card"},
    {kChooserOkText, L"OK"},
    {kAlreadyRunningText, L"The repair tool is already running"},
    {kNoticeTitle, L"Notice"},

    // What a click will do.
    {kStatusOneCard, L"{1} will get the address {2}"},
    {kStatusSeveralCards, L"{1} wired cards found: you will choose the one that leads to the Vombel"},
    {kStatusNoCard, L"No wired card found: check that it is installed and enabled"},
    {kCardNameAndDescription, L"{1} ({2})"},
    {kFirmwareFound, L"Firmware {1}, {2}, in {3}"},
    {kFirmwareNotFound, L"Firmware {1} not found (looked in {2})"},
    {kFirmwareEmpty, L"Firmware {1} is empty (0 bytes), in {2}"},
    {kFirmwareIsFolder, L"{1} is a folder, not the firmware file, in {2}"},
    {kFirmwareNotReadable, L"{1} cannot be read, in {2}"},
    {kFirmwareNearName, L"{1} holds {2}: rename it to {3}"},
    {kFirmwareNearNameHere, L"The same folder holds {1}: rename it to {2}"},
    {kFolderSeparator, L", "},
    {kSizeBytes, L"{1} bytes"},
    {kPortHeldBy, L"Port {1} is held by {2} (process {3})."},
    {kPortHeldByUnnamed, L"Port {1} is held by process {2}, whose name cannot be read."},
    {kPortHeldUnseen, L"Port {1} is in use, but its program cannot be seen (another user's: it needs "
                      L"administrator rights)."},
    {kPortStopService, L"Stop it with: sudo systemctl stop {1}"},
    {kPortStopOther, L"It may be another TFTP server: close it and try again."},

    // What the box is doing.
    {kDiagTerminalPrefix, L"Status: "},
    {kDiagWatching, L"Waiting for the Vombel's request (this PC is 192.168.1.2)"},
    {kDiagLinkDown, L"No cable or link down: plug the cable into a LAN port of the Vombel"},
    {kDiagLinkUp, L"Cable connected, waiting for the Vombel's request"},
    {kDiagLinkLost, L"Link lost during the repair: check the cable; the Vombel will ask again"},
    {kDiagAddressPutBack, L"The card lost 192.168.1.2 and it was put back"},
    {kDiagBoxSeen, L"First packet from the Vombel ({})"},
    {kDiagOtherServer, L"The Vombel looks for the server at {}, not at this PC's 192.168.1.2"},
    {kDiagUnknownName, L"The Vombel asks for \"{}\": only upgradeimage.bin is served"},
    {kDiagTransferStarted, L"The Vombel ({}) started downloading the firmware"},
    {kDiagNoAck, L"No answer from the Vombel for {} s: check the cable and its power"},
    {kDiagGivenUp, L"The Vombel stopped answering and the server gave up: power it off and on"},
    {kDiagResumed, L"The Vombel answers again; the download goes on"},
    {kDiagRestarted, L"The Vombel started the download again; progress follows it"},
    {kDiagAskedAgain, L"The Vombel asked for the firmware again: it did not take it, the repair failed"},
    {kDiagCannotSeeLink, L"The cable's link state cannot be read"},
    {kDiagCannotCapture, L"Cannot capture on the card: the Vombel's ARP requests are not seen"},
    {kDiagCannotSeeArp, L"No capture right (cap_net_raw): the Vombel's ARP requests are not seen"},

    // zaviz-repair's own.
    {kTermRepaired, L"repaired; the card has its own setup back"},
    {kTermNotGivenBack, L"the card could not be given its own setup back; the next start tries again"},
    {kTermNotConfirmed, L"the change was not confirmed; nothing was changed"},
    {kTermNoCardChosen, L"no card was chosen; nothing was changed"},
    {kTermStoppedGivenBack, L"stopped before the end; the card has its own setup back"},
    {kTermStoppedUnchanged, L"stopped; nothing was changed"},
    {kTermEarlierRunRestored, L"a card an earlier run left with the repair address has its own setup back"},
    {kTermAlreadyRunning, L"already running (the repair wizard or another zaviz-repair is running)"},
    {kTermWhichCard, L"Several wired cards were found. Which one leads to the box?"},
    {kTermCardNumber, L"Number of the card (Enter for none): "},
    {kTermCardChange, L"The card {1} gets the address {2} mask {3} for the repair; afterwards it has its own setup "
                      L"({4}) back."},
    {kTermAddressAndMask, L"{1} mask {2}"},
    {kTermGoOn, L"Go on? [y/N] "},
    {kTermTimeLeft, L"{1} left"},
    {kTermSeeHelp, L"{1} (see zaviz-repair --help)"},
    {kTermUnknownOption, L"unknown option '{1}'"},
    {kTermNeedsValue, L"{1} needs a value"},
    {kTermBadLanguage, L"--lang takes zh or en"},
    {kTermNoSuchNumber, L"--card {1}: no card has that number; {2}"},
    {kTermNoSuchCard, L"--card {1}: no such card; {2}"},
    {kTermNoWiredCard, L"there is no wired card"},
    {kTermWiredCardsAre, L"the wired cards are:"},
    {kTermOtherAdapters, L"; other adapters: "},
    {kTermUsage, L"Usage: zaviz-repair [--card NAME|INDEX] [--firmware PATH] [--lang zh|en] [--yes] [--verbose]\n"
                 L"Repairs a Vombel box from the terminal: serves upgradeimage.bin over TFTP to its\n"
                 L"boot loader through a wired card that gets 192.168.1.2/24 for the repair.\n"
                 L"  --card NAME|INDEX  the card leading to the box: its interface (adapter) name,\n"
                 L"                     or its number in the list of wired cards; without it one\n"
                 L"                     card is taken and several are offered as a numbered choice\n"
                 L"  --firmware PATH    the firmware file (default: upgradeimage.bin next to the\n"
                 L"                     program, else in the current folder)\n"
                 L"  --lang zh|en       the language of the texts (default: the system's)\n"
                 L"  --yes, -y          do not ask before the card's address is changed\n"
                 L"  --verbose, -v      also print the adapter dumps and the workflow's lines\n"
                 L"  --help, -h         show this text\n"
                 L"  --version          show the version\n"
                 L"Exit codes: 0 repaired, 1 failed or interrupted (the reason on one line),\n"
                 L"2 bad usage (also a --card that names no wired card).\n"
                 L"Ctrl+C, SIGTERM or SIGHUP stop the repair; the card gets its own setup back.\n"},

    // The skins' own texts.
    {L"Vombel修复工具", L"Vombel Repair"},
    {L"请将Vombel和pc用网线连接并保持接通电源", L"Connect the Vombel to the PC by cable and keep it powered"},
    {L"下一步", L"Next"},
    {L"先按住Vombel背面                键，再接通电源保持6-8秒后松开指示灯闪烁后开始自动修复",
     L"Hold the key on the Vombel's back, power it on, let go after 6-8 s: the repair starts when the light "
     L"blinks"},
    {L"【Reset】", L"[Reset]"},
    {L"修复中，请勿退出修复工具", L"Repairing, do not quit the repair tool"},
    {L"正在下载", L"Downloading"},
    {L"修复成功", L"Repaired"},
    {L"请检查Vombel的指示灯是否是红色或蓝色如果为其他颜色，请尝试重新修复",
     L"Check that the Vombel's light is red or blue; if it shows another colour, please repair again"},
    {L"退出", L"Exit"},
    {L"修复未完成，确定退出？这可能导致Vombel故障", L"The repair is not finished. Quit anyway? This may leave the "
                                                    L"Vombel broken."},
    {L"确认", L"Quit"},
    {L"取消", L"Cancel"},
    {L"修复失败", L"Repair failed"},
    {L"重试", L"Retry"},
    {L"请选择网卡", L"Choose a card"},
    {L"系统检测到您有多张网卡在运行，请点击选择您连接到Vombel的网卡",
     L"Several network cards are running: click the one that leads to the Vombel"},
};

const size_t kEnglishTextCount = std::size(kEnglishTexts);

}  // namespace zapp

// Both faces of the program at every display scale: every page, the chooser
// and the second start's notice are drawn with representative texts; every
// text must fit its control when measured with the real fonts, the English
// face must hold no Chinese, and each picture must match its golden image.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "app/repair/choose_net_card.h"
#include "app/repair/diagnosis_texts.h"
#include "app/repair/language.h"
#include "app/repair/notice_window.h"
#include "app/repair/start_facts.h"
#include "app/repair/start_texts.h"
#include "sys/text_encoding.h"
#include "tests/app/repair_window_test_support.h"
#include "tests/support/golden_image.h"
#include "ui/controls/label.h"
#include "ui/render/skin_renderer.h"

namespace zapp::testing {
namespace {

struct Face {
  Language language;
  int scale;
};

std::string NameOf(const Face& face) {
  return std::string(face.language == Language::kChinese ? "zh" : "en") + "_" + std::to_string(face.scale);
}

bool HoldsChinese(const std::wstring& text) {
  for (wchar_t c : text) {
    if ((c >= 0x3000 && c <= 0x303F) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF)) return true;
  }
  return false;
}

// Where a user keeps a download (the pages write the home folder as "~").
std::filesystem::path Home() {
  const char* home = std::getenv("HOME");
  return home != nullptr ? home : "/home/user";
}

// What a user would see in the texts the program fills in.
StartFacts TypicalFacts(int cards) {
  StartFacts facts;
  for (int i = 0; i < cards; ++i) {
    znet::NetCardInfo info;
    info.description = "Intel(R) Ethernet Connection I219-V";
    info.wideDescription = L"Intel(R) Ethernet Connection I219-V";
    facts.cards.push_back({"enp0s31f6", info});
  }
  facts.firmware.problem = FirmwareProblem::kNone;
  facts.firmware.fileName = "upgradeimage.bin";
  facts.firmware.folder = Home() / "Downloads";
  facts.firmware.size = 16 * 1024 * 1024;
  return facts;
}

FirmwareLookup MissingFirmwareWithANearName() {
  FirmwareLookup lookup;
  lookup.fileName = "upgradeimage.bin";
  lookup.problem = FirmwareProblem::kNotFound;
  lookup.folder = Home() / "Downloads";
#ifdef _WIN32
  lookup.searched = {Home() / "Downloads"};  // Windows looks beside the program only
#else
  lookup.searched = {Home() / "Downloads", Home()};
#endif
  lookup.nearName = Home() / "Downloads" / "UpgradeImage (1).bin";
  return lookup;
}

const wchar_t* kLogLine = L"~/.local/state/zavizeravaredu/repair-20261210-093012-345.log";

class RepairFacesTest : public RepairWindowTest, public ::testing::WithParamInterface<Face> {
 protected:
  void SetUp() override {
    RepairWindowTest::SetUp();
    SetLanguage(GetParam().language);
    zui::CPaintManagerUI::SetDefaultDisplayScale(GetParam().scale);
  }
  void TearDown() override {
    RepairWindowTest::TearDown();
    zui::CPaintManagerUI::SetDefaultDisplayScale(100);
    SetLanguage(Language::kChinese);
  }

  // Every shown text of `window` fits its control; none is Chinese in English.
  void ExpectTextsFit(zui::WindowHandle window, const std::string& where) {
    Pump();
    auto* wnd = static_cast<zui::CWindowWnd*>(host_.GetUserData(window));
    auto* base = dynamic_cast<zui::WindowImplBase*>(wnd);
    ASSERT_NE(base, nullptr) << where;
    zui::CPaintManagerUI& manager = base->GetPaintManager();
    manager.GetRoot()->FindControl(
        [&](zui::CControlUI* control) -> zui::CControlUI* {
          ExpectFits(manager, control, where);
          return nullptr;
        },
        zui::kFindVisible);
  }

  void ExpectFits(zui::CPaintManagerUI& manager, zui::CControlUI* control, const std::string& where) {
    auto* label = dynamic_cast<zui::CLabelUI*>(control);
    const std::wstring text = control->GetText();
    if (label == nullptr || text.empty()) return;
    const std::string what = where + " " + zsys::WideToUtf8(control->GetName()) + " \"" + zsys::WideToUtf8(text) +
                             "\" at " + NameOf(GetParam());
    if (!checked_.insert(what).second) return;
    if (GetParam().language == Language::kEnglish) {
      EXPECT_FALSE(HoldsChinese(text)) << what;
    }
#ifndef _WIN32  // Wine's stand-ins for the skin's fonts are not the ones users get
    ExpectMeasuredFit(manager, *label, text, what);
#endif
  }

  void ExpectMeasuredFit(zui::CPaintManagerUI& manager, zui::CLabelUI& label, const std::wstring& text,
                         const std::string& what) {
    const zui::Rect pad = label.GetTextPadding();
    const zui::Rect& pos = label.GetPos();
    const zui::Rect room{pos.left + pad.left, pos.top + pad.top, pos.right - pad.right, pos.bottom - pad.bottom};
    const unsigned style = label.GetTextStyle() & ~unsigned(DT_END_ELLIPSIS | DT_VCENTER | DT_BOTTOM);
    zui::Rect measured = (style & DT_SINGLELINE) ? zui::Rect{0, 0, 100000, 100000}
                                                 : zui::Rect{room.left, room.top, room.right, room.top + 100000};
    zui::CSkinRenderer::PaintText(nullptr, &manager, measured, text, 0xFF000000, label.GetFont(), style | DT_CALCRECT);
    EXPECT_LE(measured.Width(), room.Width()) << what << " is too wide";
    // A single line may use the control's height and more (it is centred, not
    // cut); wrapped lines must all be there, the last one's leading aside.
    if (!(style & DT_SINGLELINE)) {
      const zui::ITextFont* font = manager.GetFont(label.GetFont());
      const int leading = font != nullptr ? font->Metrics().height - font->Request().pixelSize : 0;
      EXPECT_LE(measured.Height() - leading, room.Height()) << what << " is too tall";
    }
  }

  void ExpectPicture(zui::WindowHandle window, const std::string& page) {
    Pump();
    const zui::Bitmap* frame = host_.Frame(window);
    ASSERT_NE(frame, nullptr) << page;
#ifndef _WIN32  // the pictures are drawn with this platform's fonts
    EXPECT_TRUE(ztest::MatchesGolden(*frame, "faces_" + NameOf(GetParam()) + "_" + page, 8));
#endif
  }

  std::set<std::string> checked_;

  void Show(const wchar_t* name, const std::wstring& text) { Find(name)->SetText(text); }

  // Each of `texts` in the status line `name`, measured there.
  void ExpectEachFits(const wchar_t* name, const std::vector<std::wstring>& texts, const std::string& where) {
    for (const std::wstring& text : texts) {
      Show(name, text);
      ExpectTextsFit(hwnd_, where);
    }
  }
};

std::vector<std::wstring> DiagnosisLines() {
  const auto fill = [](const wchar_t* pattern, const wchar_t* value) {
    std::wstring text = Tr(pattern);
    text.replace(text.find(L"{}"), 2, value);
    return text;
  };
  return {Tr(kDiagWatching),
          Tr(kDiagLinkDown),
          Tr(kDiagLinkUp),
          Tr(kDiagLinkLost),
          Tr(kDiagAddressPutBack),
          fill(kDiagBoxSeen, L"192.168.1.1"),
          fill(kDiagOtherServer, L"192.168.100.100"),
          fill(kDiagUnknownName, L"openwrt-sysupgrade.bin"),
          fill(kDiagTransferStarted, L"192.168.1.1"),
          fill(kDiagNoAck, L"6"),
          Tr(kDiagGivenUp),
          Tr(kDiagResumed),
          Tr(kDiagRestarted),
          Tr(kDiagAskedAgain),
          Tr(kDiagCannotSeeLink),
          Tr(kDiagCannotCapture),
          Tr(kDiagCannotSeeArp)};
}

TEST_P(RepairFacesTest, EveryPageFitsAndLooksAsItsPicture) {
  AddCard("eth0", 7);
  firmware_.Write("upgradeimage.bin", ztftp::testing::PatternBytes(3000));
  Open();
  ExpectEachFits(L"start_status", {StartStatusText(TypicalFacts(1)), StartStatusText(TypicalFacts(3))}, "start");
  ExpectPicture(hwnd_, "start");

  Click(FirstPageBeginButton());
  ASSERT_EQ(Page(), WaitingForDevice);
  ExpectEachFits(L"wait_status", DiagnosisLines(), "waiting");
  Show(L"wait_status", Tr(kDiagLinkUp));
  ExpectPicture(hwnd_, "waiting");

  Click(L"close");
  ASSERT_EQ(Page(), ConfirmExit);
  ExpectTextsFit(hwnd_, "confirm");
  ExpectPicture(hwnd_, "confirm");
  Click(L"cancel_exit_btn");

  window_->OnTransferProgress(512, 3000, "upgradeimage.bin");  // the first only says the box began
  window_->OnTransferProgress(1500, 3000, "upgradeimage.bin");
  Pump();
  ASSERT_EQ(Page(), Downloading);
  ExpectEachFits(L"down_status", DiagnosisLines(), "downloading");
  Show(L"down_status", DiagnosisLines()[8]);
  ExpectPicture(hwnd_, "downloading");

  window_->OnTransferProgress(3000, 3000, "upgradeimage.bin");
  Pump();
  for (int tick = 0; tick < 40 && Page() != Finished; ++tick) {
    host_.AdvanceClock(kFinishingTimerMs);
    Pump();
  }
  ASSERT_EQ(Page(), Finished);
  Show(L"end_log", Tr(kSupportLogText) + std::wstring(kLogLine));
  ExpectTextsFit(hwnd_, "finished");
  ExpectPicture(hwnd_, "finished");
}

TEST_P(RepairFacesTest, EveryFailureTheChooserAndTheNoticeFit) {
  AddCard("eth0", 7);
  AddCard("eth1", 8, L"Realtek PCIe GbE Family Controller");
  Open();
  const std::wstring failures[] = {
      Tr(kNoWiredCardText),
      Tr(kServerPrivilegeText),
      Tr(kAddressFailedText),
      Tr(kDiagAskedAgain),
      FirmwareFailureText(MissingFirmwareWithANearName()),
      PortBusyFailureText(69, {true, 4711, "in.tftpd"}),
      PortBusyFailureText(69, {true, 4711, "my-own-tftp-server"}),
      PortBusyFailureText(69, {true, 0, ""}),
  };
  // The chooser comes first; the card it answers has no firmware to serve.
  host_.SetIdleHandler([this] {
    const zui::WindowHandle active = host_.GetActiveWindow();
    auto* chooser = dynamic_cast<ChooseNetCard*>(static_cast<zui::CWindowWnd*>(host_.GetUserData(active)));
    if (active == hwnd_ || chooser == nullptr) return;
    ExpectTextsFit(active, "chooser");
    ExpectPicture(active, "chooser");
    chooser->Close(7);
  });
  Click(FirstPageBeginButton());
  host_.SetIdleHandler({});
  ASSERT_EQ(Page(), Failed);
  Show(L"error_log", Tr(kSupportLogText) + std::wstring(kLogLine));
  for (const std::wstring& failure : failures) {
    Show(L"upgrade_error_text", failure);
    ExpectTextsFit(hwnd_, "failed");
  }
  Show(L"upgrade_error_text", failures[4]);
  ExpectPicture(hwnd_, "failed");

  NoticeWindow notice(Tr(kNoticeTitle), Tr(kAlreadyRunningText));
  ASSERT_NE(notice.Create(nullptr, Tr(kNoticeTitle), WS_POPUP | WS_VISIBLE | WS_CAPTION, WS_EX_WINDOWEDGE), nullptr);
  notice.ShowWindow(true, true);
  ExpectTextsFit(notice.GetHWND(), "notice");
  ExpectPicture(notice.GetHWND(), "notice");
  host_.DestroyHostWindow(notice.GetHWND());
}

using RepairDpiTest = RepairWindowTest;

// Windows tells a per-monitor aware window that it moved to a screen of
// another density: it must look as one opened there, at the place suggested.
TEST_F(RepairDpiTest, MovedToADenserScreenTheWindowLooksAsOneOpenedThere) {
  AddCard("eth0", 7);
  Open();
  ASSERT_EQ(host_.GetWindowRect(hwnd_).Width(), 484);
  zui::Rect suggested{100, 50, 800, 500};
  host_.SendMessage(hwnd_, WM_DPICHANGED, (144u << 16) | 144u, reinterpret_cast<zui::LPARAM_T>(&suggested));
  Find(L"start_status")->SetText(StartStatusText(TypicalFacts(3)));
  Pump();
  EXPECT_EQ(host_.GetWindowRect(hwnd_), (zui::Rect{100, 50, 826, 509}));
  EXPECT_EQ(window_->GetPaintManager().GetFont(2)->Request().pixelSize, 21);
  const zui::Bitmap* frame = host_.Frame(hwnd_);
  ASSERT_NE(frame, nullptr);
#ifndef _WIN32
  EXPECT_TRUE(ztest::MatchesGolden(*frame, "faces_zh_150_start", 8));
#endif

  host_.SendMessage(hwnd_, WM_DPICHANGED, (96u << 16) | 96u, 0);
  Pump();
  EXPECT_EQ(host_.GetWindowRect(hwnd_), (zui::Rect{100, 50, 584, 356})) << "back, in place";
  EXPECT_EQ(window_->GetPaintManager().GetFont(2)->Request().pixelSize, 14);
}

INSTANTIATE_TEST_SUITE_P(Faces, RepairFacesTest,
                         ::testing::Values(Face{Language::kChinese, 100}, Face{Language::kChinese, 150},
                                           Face{Language::kChinese, 200}, Face{Language::kEnglish, 100},
                                           Face{Language::kEnglish, 150}, Face{Language::kEnglish, 200}),
                         [](const ::testing::TestParamInfo<Face>& info) { return NameOf(info.param); });

}  // namespace
}  // namespace zapp::testing

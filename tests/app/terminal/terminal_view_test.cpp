// The pages as terminal output: the wizard's texts, the bar redrawn in
// place on a terminal, plain lines (no \r, no escape codes) elsewhere, and
// the questions before a card is taken or changed.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/repair/repair_texts.h"
#include "app/repair/repair_workflow.h"
#include "app/zaviz_repair/terminal_view.h"
#include "sys/text_encoding.h"
#include "tests/app/terminal/fake_console.h"
#include "tests/app/scoped_language.h"

namespace zaviz_repair {
namespace {

using testing::FakeConsole;

// The face's wording of a program text, as the console gets it.
std::string Utf8(const wchar_t* text) { return zsys::WideToUtf8(zapp::Tr(text)); }

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

znet::NetCardInfo Card(uint32_t index, const std::string& description, bool dhcp) {
  znet::NetCardInfo card;
  card.index = index;
  card.description = description;
  card.dhcpEnabled = dhcp;
  card.ipAddress = "10.0.0.4";
  card.ipMask = "255.255.0.0";
  return card;
}

// A whole download as the workflow reports it: 1..60, the status, 61..100.
void Download(TerminalView& view) {
  view.ShowPage(zapp::WaitingForDevice, zapp::kNormalIcon, true);
  view.ShowPage(zapp::Downloading, zapp::kNormalIcon, true);
  for (int p = 1; p <= 60; ++p) {
    view.NoteTransfer(p * 1000.0, 60000, p * 10);
    view.SetPercentage(p);
  }
  view.SetStatusText(zapp::Tr(zapp::kUpdatingStatus));  // as the workflow words it
  for (int p = 61; p <= 100; ++p) view.SetPercentage(p);
  view.ShowPage(zapp::Finished, zapp::kNormalIcon, false);
}

TEST(TerminalView, OnATerminalTheBarIsOneLineRedrawnInPlace) {
  const zapp::testing::ScopedLanguage english(zapp::Language::kEnglish);
  FakeConsole console(true);
  TerminalView view(console, {}, 3000);
  Download(view);
  const std::string& out = console.out;
  EXPECT_EQ(Count(out, "\r"), 101u) << "one redraw per percentage, one after the status line";
  EXPECT_NE(out.find(Utf8(zapp::kWaitingText) + "\n"), std::string::npos);
  EXPECT_NE(out.find(Utf8(zapp::kUpgradeingText) + "\n"), std::string::npos);
  EXPECT_NE(out.find("\r[##################............]  60%"), std::string::npos);
  EXPECT_NE(out.find("\r[##############################] 100%  "), std::string::npos);
  // The status and the end text each stand on a line of their own, after the bar's line ends.
  EXPECT_NE(out.find(" left\n" + Utf8(zapp::kUpdatingStatus) + "\n\r"), std::string::npos);
  EXPECT_NE(out.find("0:00 left\n" + Utf8(zapp::kEndUpgradeText) + "\n"), std::string::npos);
  EXPECT_EQ(out.find('\x1b'), std::string::npos);
}

TEST(TerminalView, ElsewhereEveryTenPercentIsAPlainLine) {
  const zapp::testing::ScopedLanguage english(zapp::Language::kEnglish);
  FakeConsole console(false);
  TerminalView view(console, {}, 3000);
  Download(view);
  const std::string& out = console.out;
  EXPECT_EQ(out.find('\r'), std::string::npos);
  EXPECT_EQ(out.find('\x1b'), std::string::npos);
  EXPECT_EQ(Count(out, "%  "), 11u) << out;  // 1, 10, 20, ... 100
  EXPECT_NE(out.find("]  30%  97.7 KB/s  2:01 left\n"), std::string::npos) << out;
  EXPECT_NE(out.find("] 100%  "), std::string::npos);
  EXPECT_NE(out.find(Utf8(zapp::kUpdatingStatus) + "\n"), std::string::npos);
  EXPECT_TRUE(console.err.empty());
}

TEST(TerminalView, TheFailureTextIsKeptForTheEndAndNoPageIsPrintedForIt) {
  FakeConsole console(true);
  TerminalView view(console, {}, 3000);
  view.SetErrorText(zapp::kFirmwareText);
  view.ShowPage(zapp::Failed, zapp::kWarningIcon, false);
  EXPECT_EQ(view.ErrorText(), zapp::kFirmwareText);
  EXPECT_TRUE(console.out.empty());
  view.StartFinishingTimer();
  EXPECT_TRUE(view.TimerRunning());
  view.StopFinishingTimer();
  EXPECT_FALSE(view.TimerRunning());
}

TEST(TerminalView, TheChoiceListsTheCardsAndTakesTheTypedNumber) {
  FakeConsole console;
  std::vector<znet::AdapterEntry> adapters(2);
  adapters[0].name = "enp1s0";
  adapters[0].index = 4;
  adapters[1].name = "enp2s0";
  adapters[1].index = 5;
  TerminalView view(console, adapters, 3000);
  const std::vector<znet::NetCardInfo> cards = {Card(4, "Realtek", false), Card(5, "Intel", true)};
  console.answers = {"2", "x", ""};
  EXPECT_EQ(view.ChooseCard(cards), 5u);
  EXPECT_NE(console.out.find("  1) enp1s0  Realtek  10.0.0.4\n  2) enp2s0  Intel  10.0.0.4 (DHCP)\n"),
            std::string::npos)
      << console.out;
  EXPECT_EQ(view.ChooseCard(cards), 0u);
  EXPECT_EQ(view.ChooseCard(cards), 0u);
  EXPECT_EQ(view.ChooseCard(cards), 0u) << "the end of the input is no answer";
  EXPECT_EQ(console.reads, 4);
}

TEST(TerminalView, TheQuestionSaysWhatChangesAndOnlyAYesGoesOn) {
  const zapp::testing::ScopedLanguage english(zapp::Language::kEnglish);
  FakeConsole console;
  std::vector<znet::AdapterEntry> adapters(1);
  adapters[0].name = "zcard0";
  adapters[0].index = 6;
  TerminalView view(console, adapters, 3000);
  console.answers = {"y", "yes", "n", "", "yess"};
  EXPECT_TRUE(view.ConfirmCardChange(Card(6, "zcard0", false)));
  EXPECT_NE(console.out.find("The card zcard0 gets the address 192.168.1.2 mask 255.255.255.0 for the repair; "
                             "afterwards it has its own setup (10.0.0.4 mask 255.255.0.0) back.\nGo on? [y/N] "),
            std::string::npos)
      << console.out;
  EXPECT_TRUE(view.ConfirmCardChange(Card(6, "Intel", true)));
  EXPECT_NE(console.out.find("The card zcard0 (Intel) gets"), std::string::npos);
  EXPECT_NE(console.out.find("own setup (DHCP) back"), std::string::npos);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(view.ConfirmCardChange(Card(6, "zcard0", false)));

  const zapp::testing::ScopedLanguage chinese(zapp::Language::kChinese);
  console.answers = {"y"};
  console.out.clear();
  EXPECT_TRUE(view.ConfirmCardChange(Card(6, "zcard0", false)));
  EXPECT_EQ(console.out, "网卡 zcard0 在修复期间使用地址 192.168.1.2（掩码 255.255.255.0），修复后恢复原来的设置"
                         "（10.0.0.4，掩码 255.255.0.0）。\n继续吗？[y/N] ");
}

}  // namespace
}  // namespace zaviz_repair

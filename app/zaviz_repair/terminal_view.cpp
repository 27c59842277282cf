#include "app/zaviz_repair/terminal_view.h"

#include "app/repair/diagnosis_texts.h"
#include "app/repair/repair_texts.h"
#include "app/repair/repair_workflow.h"
#include "app/repair/terminal_texts.h"
#include "app/zaviz_repair/terminal_words.h"
#include "net/address_changer.h"
#include "sys/text_encoding.h"

namespace zaviz_repair {
namespace {

std::string Utf8(const std::wstring& text) { return zsys::WideToUtf8(text); }

std::string DescribeCard(const std::string& name, const znet::NetCardInfo& card) {
  std::string text = name.empty() ? card.description : name;
  if (!card.description.empty() && card.description != text) text += " (" + card.description + ")";
  return text;
}

}  // namespace

TerminalView::TerminalView(Console& console, std::vector<znet::AdapterEntry> adapters, uint32_t tickMs)
    : console_(console), adapters_(std::move(adapters)), tickMs_(tickMs), terminal_(console.IsTerminal()) {}

void TerminalView::ShowPage(int page, const wchar_t*, bool) {
  switch (page) {
    case zapp::WaitingForDevice: Say(Words(zapp::kWaitingText)); break;
    case zapp::Downloading: Say(Words(zapp::kUpgradeingText)); break;
    case zapp::Finished: Say(Words(zapp::kEndUpgradeText)); break;
    default: break;  // the failure text goes to standard error at the end; nothing asks to leave here
  }
}

void TerminalView::SetErrorText(const std::wstring& text) { errorText_ = text; }

void TerminalView::SetStartStatus(const std::wstring& text) { Say(Utf8(text)); }

void TerminalView::SetPercentage(int percent) {
  percent_ = percent;
  if (terminal_) {
    DrawBar();
    return;
  }
  if (!steps_.Due(percent)) return;
  console_.Write(BarLine(percent, meter_.BytesPerSecond(),
                         EstimateSecondsLeft(percent, meter_.BytesLeft(), meter_.BytesPerSecond(), tickMs_)) +
                 "\n");
}

void TerminalView::SetStatusText(const std::wstring& text) {
  Say(Utf8(text));
  if (terminal_) DrawBar();
}

void TerminalView::SetDiagnosis(const std::wstring& line) {
  Say(Words(zapp::kDiagTerminalPrefix) + Utf8(line));
  if (terminal_ && percent_ > 0) DrawBar();
}

uint32_t TerminalView::ChooseCard(const std::vector<znet::NetCardInfo>& cards) {
  Say(Words(zapp::kTermWhichCard));
  console_.Write(NumberedList(ListCards(cards, adapters_)));
  console_.Write(Words(zapp::kTermCardNumber));
  std::string typed;
  if (!console_.ReadLine(typed)) {
    console_.Write("\n");
    return 0;
  }
  return ChosenIndex(typed, cards);
}

bool TerminalView::ConfirmCardChange(const znet::NetCardInfo& card) {
  std::string name;
  for (const znet::AdapterEntry& adapter : adapters_) {
    if (adapter.index == card.index) name = adapter.name;
  }
  const std::string own =
      card.dhcpEnabled ? std::string("DHCP") : Words(zapp::kTermAddressAndMask, {card.ipAddress, card.ipMask});
  Say(Words(zapp::kTermCardChange, {DescribeCard(name, card), znet::kRepairAddress, znet::kRepairMask, own}));
  console_.Write(Words(zapp::kTermGoOn));
  std::string answer;
  if (!console_.ReadLine(answer)) {
    console_.Write("\n");
    return false;
  }
  return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes";
}

void TerminalView::NoteTransfer(double position, double size, uint64_t nowMs) { meter_.Add(position, size, nowMs); }

void TerminalView::Say(const std::string& line) {
  EndBarLine();
  console_.Write(line + "\n");
}

void TerminalView::DrawBar() {
  const double rate = meter_.BytesPerSecond();
  std::string line = BarLine(percent_, rate, EstimateSecondsLeft(percent_, meter_.BytesLeft(), rate, tickMs_));
  const size_t width = line.size();
  // Blanks over what a longer line before left behind.
  if (width < barWidth_) line.append(barWidth_ - width, ' ');
  barWidth_ = width;
  console_.Write("\r" + line);
  barShown_ = true;
}

void TerminalView::EndBarLine() {
  if (!barShown_) return;
  console_.Write("\n");
  barShown_ = false;
  barWidth_ = 0;
}

}  // namespace zaviz_repair

#include "app/repair/choose_net_card.h"

#include <memory>

#include "app/repair/language.h"
#include "app/repair/repair_texts.h"
#include "app/repair/skin_language.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/list/list.h"
#include "ui/list/list_container_element.h"

namespace zapp {
namespace {

constexpr int kRowHeight = 44;

std::unique_ptr<zui::CLabelUI> MakeCheckMark() {
  auto mark = std::make_unique<zui::CLabelUI>();
  mark->SetBkImage(L"file='img\\checked.png' dest='5,14,19,28'");
  mark->SetFixedWidth(30);
  mark->SetVisible(false);
  return mark;
}

std::unique_ptr<zui::CLabelUI> MakeDescription(const znet::NetCardInfo& card) {
  auto label = std::make_unique<zui::CLabelUI>();
  label->SetPadding({10, 0, 0, 0});
  label->SetText(card.wideDescription);
  label->SetTextColor(0xFF101426);
  label->SetFont(1);
  label->SetFixedWidth(320);
  label->SetFixedHeight(kRowHeight);
  return label;
}

std::unique_ptr<zui::CButtonUI> MakeSelectButton(const znet::NetCardInfo& card) {
  auto button = std::make_unique<zui::CButtonUI>();
  button->SetText(Tr(kChooserOkText));
  button->SetName(L"selok");
  button->SetFont(1);
  button->SetTextColor(0xFFFFFFFF);
  button->SetBkImage(L"file='img\\sel_ok_normal.png' dest='0,0,76,44'");
  button->SetHotImage(L"file='img\\sel_ok_hover.png' dest='0,0,76,44'");
  button->SetTag(card.index);
  button->SetFixedHeight(kRowHeight);
  button->SetFixedWidth(76);
  button->SetCursor(zui::kCursorHand);
  button->SetVisible(false);
  return button;
}

}  // namespace

ZUI_BEGIN_NOTIFY_MAP(ChooseNetCard, zui::WindowImplBase)
ZUI_ON_NOTIFY(L"click", L"close", &ChooseNetCard::OnCloseClick)
ZUI_ON_NOTIFY(L"click", L"selok", &ChooseNetCard::OnSelOkClick)
ZUI_ON_NOTIFY(L"itemclick", L"", &ChooseNetCard::OnItemClick)
ZUI_END_NOTIFY_MAP()

void ChooseNetCard::InitWindow() {
  PutSkinInLanguage(paintManager_.GetRoot());
  netList_ = dynamic_cast<zui::CListUI*>(paintManager_.FindControl(L"netlist"));
}

void ChooseNetCard::FillNetCards(std::vector<znet::NetCardInfo> cards) {
  checkMarks_.clear();
  selectButtons_.clear();
  if (netList_ == nullptr) return;
  for (const znet::NetCardInfo& card : cards) {
    auto row = std::make_unique<zui::CListContainerElementUI>();
    row->SetClickTogglesSelection(true);
    row->ApplyAttributeList(L"height=\"44\"");
    row->SetName(L"netitem");
    row->SetTag(selectButtons_.size());
    auto mark = MakeCheckMark();
    auto button = MakeSelectButton(card);
    // The row and the list own them; the window keeps only where they are.
    checkMarks_.push_back(mark.get());
    selectButtons_.push_back(button.get());
    row->Add(std::move(mark));
    row->Add(MakeDescription(card));
    row->Add(std::move(button));
    netList_->Add(std::move(row));
  }
}

void ChooseNetCard::OnCloseClick(zui::NotifyRecord&) { Close(0); }

void ChooseNetCard::OnSelOkClick(zui::NotifyRecord& msg) { Close(static_cast<int>(msg.sender->GetTag())); }

void ChooseNetCard::OnItemClick(zui::NotifyRecord& msg) {
  if (netList_ == nullptr || msg.sender == nullptr) return;
  const int rows = netList_->GetCount();
  const uintptr_t clicked = msg.sender->GetTag();
  for (int i = 0; i < rows && i < static_cast<int>(checkMarks_.size()); ++i) {
    const bool shown = static_cast<uintptr_t>(i) == clicked;
    checkMarks_[i]->SetVisible(shown);
    selectButtons_[i]->SetVisible(shown);
  }
}

}  // namespace zapp

#pragma once
// ChooseNetCard: the small modal window that asks which wired card is
// connected to the device, one list row per card. A click on a row shows
// its check mark and its confirm button; the button ends the dialog with the
// card's interface index, the close button with 0.

#include <vector>

#include "net/net_card_info.h"
#include "ui/window/window_impl_base.h"

namespace zui {
class CButtonUI;
class CLabelUI;
class CListUI;
}  // namespace zui

namespace zapp {

class ChooseNetCard : public zui::WindowImplBase {
 public:
  std::wstring_view GetWindowClassName() const override { return L"ChooseNetCard"; }
  std::wstring GetSkinFile() override { return L"chooseNetCard.xml"; }
  std::wstring GetSkinFolder() override { return L""; }
  void InitWindow() override;

  // One row per card, in the order given.
  void FillNetCards(std::vector<znet::NetCardInfo> cards);

  zui::CListUI* NetList() const { return netList_; }
  const std::vector<zui::CLabelUI*>& CheckMarks() const { return checkMarks_; }
  const std::vector<zui::CButtonUI*>& SelectButtons() const { return selectButtons_; }

  ZUI_DECLARE_NOTIFY_MAP();

 public:
  void OnCloseClick(zui::NotifyRecord& msg);
  void OnSelOkClick(zui::NotifyRecord& msg);
  void OnItemClick(zui::NotifyRecord& msg);

 private:
  zui::CListUI* netList_ = nullptr;
  std::vector<zui::CLabelUI*> checkMarks_;
  std::vector<zui::CButtonUI*> selectButtons_;
};

}  // namespace zapp

#pragma once
// CTextUI (<Text>): wrapped text; with formatted text on, its links are
// clickable and report "link" with the link's box index.

#include "ui/controls/label.h"
#include "ui/render/formatted_text.h"

namespace zui {

class CTextUI : public CLabelUI {
 public:
  CTextUI();

  std::wstring_view GetClass() const override;  // "TextUI"
  bool HasInterface(std::wstring_view name) const override;
  uint32_t GetControlFlags() const override;

  // Links found at the last paint: their count, boxes and targets.
  int GetLinkCount() const { return links_.count; }
  const Rect& GetLinkRect(int index) const { return links_.rects[index]; }
  const std::wstring* GetLinkContent(int index) const;
  int GetHotLink() const { return links_.hot; }

  Size EstimateSize(Size available) override;
  void DoEvent(InputEvent& event) override;
  void PaintText(Canvas& canvas) override;

 private:
  TextLinks links_;
};

}  // namespace zui

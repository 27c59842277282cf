// How a header item looks: its state image, its separator image, its text.

#include <string>

#include "ui/controls/control_manager.h"
#include "ui/list/list_text_style.h"
#include "ui/list/list_header_item.h"
#include "ui/render/skin_renderer.h"

namespace zui {

void CListHeaderItemUI::PaintStatusImage(Canvas& canvas) {
  const std::wstring* image = &normalImage_;
  if ((buttonState_ & kHeaderItemPushed) != 0) image = &pushedImage_;
  else if ((buttonState_ & kHeaderItemHot) != 0) image = &hotImage_;
  else if (IsFocused()) image = &focusedImage_;
  if (image->empty()) image = &normalImage_;
  if (!image->empty()) DrawImage(canvas, *image);

  if (sepImage_.empty()) return;
  const Rect sep = GetSeparatorRect();
  if (sep.IsEmpty()) return;
  DrawImage(canvas, sepImage_, DestModifier(sep));
}

void CListHeaderItemUI::PaintText(Canvas& canvas) {
  const std::wstring text = GetText();
  if (text.empty() || manager_ == nullptr) return;
  const uint32_t colour = textColor_ != 0 ? textColor_ : manager_->GetDefaultColors().text;
  PaintListText(canvas, manager_, ShrinkByPadding(itemRect_, GetTextPadding()), text, colour, font_, textStyle_,
                showHtml_);
}

}  // namespace zui

#include "app/repair/skin_language.h"

#include <string>

#include "app/repair/language.h"
#include "app/repair/repair_texts.h"
#include "ui/controls/control.h"

namespace zapp {
namespace {

std::wstring PlatformWording(const std::wstring& text) {
#ifndef _WIN32
  if (text == kFooterLosesNetwork) return kFooterKeepsNetwork;
#endif
  return text;
}

void PutInLanguage(zui::CControlUI& control) {
  const std::wstring text = control.GetText();
  if (!text.empty()) {
    const std::wstring worded = Tr(PlatformWording(text));
    if (worded != text) control.SetText(worded);
  }
  const std::wstring tip = control.GetToolTip();
  if (!tip.empty()) control.SetToolTip(Tr(tip));
}

}  // namespace

void PutSkinInLanguage(zui::CControlUI* root) {
  if (root == nullptr) return;
  root->FindControl(
      [](zui::CControlUI* control) -> zui::CControlUI* {
        PutInLanguage(*control);
        return nullptr;
      },
      zui::kFindAll);
}

}  // namespace zapp

#pragma once
// The skins are written in Chinese, for Windows. Once a window's skin is
// built, its texts and tooltips are put in the current face, with this
// platform's own wording where the skin's is untrue here.

namespace zui {
class CControlUI;
}

namespace zapp {

void PutSkinInLanguage(zui::CControlUI* root);

}  // namespace zapp

#include "ui/catalog/builtin_controls.h"

#include "ui/controls/button.h"
#include "ui/controls/control.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/controls/ring.h"
#include "ui/controls/text.h"
#include "ui/layout/container.h"
#include "ui/layout/horizontal_layout.h"
#include "ui/layout/scroll_bar.h"
#include "ui/layout/tab_layout.h"
#include "ui/layout/vertical_layout.h"
#include "ui/list/list.h"
#include "ui/list/list_container_element.h"
#include "ui/list/list_element.h"
#include "ui/list/list_header.h"
#include "ui/list/list_header_item.h"
#include "ui/list/list_label_element.h"
#include "ui/list/list_text_element.h"

namespace zui {
namespace {

template <class Control>
CControlUI* Make() {
  return new Control;
}

// Keep in the order of the folders: controls, layouts, the list family.
const BuiltinControl kBuiltinControls[] = {
    {L"CControlUI", &Make<CControlUI>},
    {L"CLabelUI", &Make<CLabelUI>},
    {L"CTextUI", &Make<CTextUI>},
    {L"CButtonUI", &Make<CButtonUI>},
    {L"CProgressUI", &Make<CProgressUI>},
    {L"CRingUI", &Make<CRingUI>},
    {L"CContainerUI", &Make<CContainerUI>},
    {L"CVerticalLayoutUI", &Make<CVerticalLayoutUI>},
    {L"CHorizontalLayoutUI", &Make<CHorizontalLayoutUI>},
    {L"CTabLayoutUI", &Make<CTabLayoutUI>},
    {L"CScrollBarUI", &Make<CScrollBarUI>},
    {L"CListUI", &Make<CListUI>},
    {L"CListHeaderUI", &Make<CListHeaderUI>},
    {L"CListHeaderItemUI", &Make<CListHeaderItemUI>},
    {L"CListElementUI", &Make<CListElementUI>},
    {L"CListLabelElementUI", &Make<CListLabelElementUI>},
    {L"CListTextElementUI", &Make<CListTextElementUI>},
    {L"CListContainerElementUI", &Make<CListContainerElementUI>},
};

}  // namespace

std::span<const BuiltinControl> BuiltinControls() { return kBuiltinControls; }

}  // namespace zui

#pragma once
// Notify maps: how a window binds handlers to notifications by event type and
// control name. Each window class declares a table; the table links to its
// base class's table, which is searched when the derived one has no entry.
//
//   class VXGDown : public WindowImplBase {
//     ZUI_DECLARE_NOTIFY_MAP();
//     void OnBegin(NotifyRecord& msg);
//   };
//
//   ZUI_BEGIN_NOTIFY_MAP(VXGDown, WindowImplBase)
//     ZUI_ON_NOTIFY(L"click", L"begin_btn", &VXGDown::OnBegin)
//     ZUI_ON_NOTIFY_PARAMS(L"timer", L"", &VXGDown::OnTimerParams)
//   ZUI_END_NOTIFY_MAP()

#include <map>
#include <string>
#include <string_view>

#include "ui/base/notify.h"

namespace zui {

class CNotifyPump;

using NotifyRecordHandler = void (CNotifyPump::*)(NotifyRecord& msg);
using NotifyParamsHandler = void (CNotifyPump::*)(WPARAM_T wParam, LPARAM_T lParam);

// One map entry. signature 2: `onRecord` takes the record; signature 1:
// `onParams` takes its wParam and lParam; 0 closes the table.
struct NotifyMapEntry {
  const wchar_t* type;
  const wchar_t* controlName;  // empty: any control
  int signature;
  NotifyRecordHandler onRecord;
  NotifyParamsHandler onParams;
};

struct NotifyMap {
  const NotifyMap* base;
  const NotifyMapEntry* entries;
};

class CNotifyPump {
 public:
  virtual ~CNotifyPump() = default;

  // Sub-windows that receive the notifications of controls whose virtual
  // window carries their name. Adding a name twice fails.
  bool AddVirtualWnd(std::wstring_view name, CNotifyPump* pump);
  bool RemoveVirtualWnd(std::wstring_view name);
  // Finds the handler for `msg` (virtual window first, then this class's
  // map and its bases) and calls it; false when none takes it.
  bool NotifyPump(NotifyRecord& msg);

  static const NotifyMap kNotifyMap;  // empty
  virtual const NotifyMap* GetNotifyMap() const { return &kNotifyMap; }

 private:
  bool DispatchByMap(NotifyRecord& msg);

  std::map<std::wstring, CNotifyPump*> virtualWindows_;
};

}  // namespace zui

#define ZUI_DECLARE_NOTIFY_MAP()                                                \
 public:                                                                        \
  static const ::zui::NotifyMap kNotifyMap;                                     \
  const ::zui::NotifyMap* GetNotifyMap() const override { return &kNotifyMap; } \
                                                                                \
 private:                                                                       \
  static const ::zui::NotifyMapEntry kNotifyEntries[]

#define ZUI_BEGIN_NOTIFY_MAP(cls, baseCls)                                                  \
  const ::zui::NotifyMap cls::kNotifyMap = {&baseCls::kNotifyMap, &cls::kNotifyEntries[0]}; \
  const ::zui::NotifyMapEntry cls::kNotifyEntries[] = {
// handler: void (cls::*)(NotifyRecord&)
#define ZUI_ON_NOTIFY(type, controlName, handler) \
  {type, controlName, 2, static_cast<::zui::NotifyRecordHandler>(handler), nullptr},
// handler: void (cls::*)(WPARAM_T, LPARAM_T)
#define ZUI_ON_NOTIFY_PARAMS(type, controlName, handler) \
  {type, controlName, 1, nullptr, static_cast<::zui::NotifyParamsHandler>(handler)},

#define ZUI_END_NOTIFY_MAP()        \
  { L"", L"", 0, nullptr, nullptr } \
  }                                 \
  ;

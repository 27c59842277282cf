#pragma once
// CPaintManagerUI: one per skinned window. It owns the window's control tree
// and resources, turns window messages into input events for single
// controls, tracks the hot, focused, clicked and key controls, delivers
// notifications at once or through a per-window queue, runs control timers,
// keeps the name table, lays the tree out at the first paint ("windowinit")
// and paints it into an off-screen bitmap that the host presents.

#include <cstdint>
#include <deque>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/base/geometry.h"
#include "ui/base/messages.h"
#include "ui/resources/native_resources.h"
#include "ui/base/notify.h"
#include "ui/controls/control_manager.h"
#include "ui/resources/resource_tables.h"
#include "ui/base/bitmap.h"
#include "ui/render/descriptor_cache.h"
#include "ui/render/render_resources.h"
#include "ui/window/shadow_ui.h"

namespace zui {

class CControlUI;
class CTooltipWindow;
struct HostMessage;

// A control timer: the control's own key mapped to a native timer id.
struct TimerRecord {
  CControlUI* sender = nullptr;
  uint32_t key = 0;
  WindowHandle window = nullptr;
  uintptr_t nativeId = 0;
  bool killed = false;
};

// Makes a control of a class the factory does not know (a loaded plug-in).
using PluginCreator = CControlUI* (*)(std::wstring_view elementName);

class CPaintManagerUI : public IControlManagerUI {
 public:
  // The wake-up message of the notification queue and the message a window
  // may answer to present a painted frame itself.
  static constexpr uint32_t kMsgDrainQueue = WM_APP + 1;
  static constexpr uint32_t kMsgPresentFrame = 0x1529;

  CPaintManagerUI();
  ~CPaintManagerUI() override;
  CPaintManagerUI(const CPaintManagerUI&) = delete;
  CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

  // Process-wide.
  static void SetInstance(NativeModule module);
  static NativeModule GetInstance();
  // Runs until WM_QUIT.
  static void MessageLoop();
  // The message loop's pre-translation; true when the message was consumed.
  static bool TranslateMessage(HostMessage& msg);
  static const std::vector<CPaintManagerUI*>& GetPaintManagers();
  static std::vector<PluginCreator>& GetPlugins();

  // Binding to a native window (resets every per-window table).
  void Init(WindowHandle window, std::wstring_view name = {});
  WindowHandle GetPaintWindow() const override { return window_; }
  const std::wstring& GetName() const { return name_; }
  Rect GetClientRect() const;
  Size GetClientSize() const;
  Point GetMousePos() const override { return lastMousePos_; }

  // The control tree. The manager owns the root; a root it replaces is
  // destroyed after the current message. The plain-pointer form is for the
  // skin builder's result; attaching the current root again only sets it up
  // anew.
  bool AttachDialog(ControlPtr root);
  bool AttachDialog(CControlUI* root);
  CControlUI* GetRoot() const { return root_.get(); }
  // Gives `control` and its subtree this manager (initialising them) and
  // enters their names.
  bool InitControls(CControlUI* control, CControlUI* parent = nullptr) override;
  // Drops the timers, name-table entry and post-paint place of a control
  // that is being destroyed. (Tracked controls need nothing: they are held
  // by ControlRef.)
  void ReapObjects(CControlUI* control) override;
  // Takes a subtree out of this window: its names, timers and any tracked
  // slot (focus, hot, click, key) that points into it; its controls are
  // left without a manager.
  void ReleaseTree(CControlUI* control) override;
  // Releases a removed control and destroys it when the queue is next
  // drained.
  void DestroyLater(ControlPtr control) override;
  CControlUI* FindControl(Point point) const;
  CControlUI* FindControl(std::wstring_view name) const override;
  CControlUI* FindSubControlByPoint(CControlUI* parent, Point point) const;
  CControlUI* FindSubControlByName(CControlUI* parent, std::wstring_view name) const;
  // Name table upkeep for controls renamed or added after attaching. Both
  // are one lookup: a control remembers the key it was entered under.
  void RegisterName(CControlUI* control);
  void UnregisterName(CControlUI* control);

  // Focus and tracking.
  CControlUI* GetFocus() const override { return focus_; }
  void SetFocus(CControlUI* control, bool focusWindow = true) override;
  // The focus moves to this control at the next paint.
  void SetFocusNeeded(CControlUI* control);
  // Tab order: the next (or previous) focusable control; false when none.
  bool SetNextTabControl(bool forward = true);
  CControlUI* GetHot() const { return hot_; }
  CControlUI* GetClick() const { return click_; }
  CControlUI* GetKeyControl() const { return key_; }
  bool IsCaptured() const { return captured_; }
  void SetCapture();
  void ReleaseCapture();

  // Notifications.
  void SendNotify(CControlUI* sender, std::wstring_view type, WPARAM_T wParam = 0, LPARAM_T lParam = 0,
                  bool async = false) override;
  void SendNotify(NotifyRecord& msg, bool async = false);
  bool AddNotifier(INotifyUI* notifier);
  bool RemoveNotifier(INotifyUI* notifier);
  bool AddPreMessageFilter(IMessageFilterUI* filter);
  bool RemovePreMessageFilter(IMessageFilterUI* filter);
  bool AddMessageFilter(IMessageFilterUI* filter);
  bool RemoveMessageFilter(IMessageFilterUI* filter);
  bool AddTranslateAccelerator(ITranslateAccelerator* accelerator);
  bool RemoveTranslateAccelerator(ITranslateAccelerator* accelerator);
  bool AddPostPaint(CControlUI* control);
  bool RemovePostPaint(CControlUI* control);
  bool IsUsingVirtualWnd() const { return useVirtualWnd_; }
  void UsedVirtualWnd(bool on) { useVirtualWnd_ = on; }

  // Control timers.
  bool SetTimer(CControlUI* control, uint32_t key, uint32_t elapseMs) override;
  bool KillTimer(CControlUI* control, uint32_t key) override;
  void KillTimer(CControlUI* control) override;
  void RemoveAllTimers();
  // Keeps a native timer id for the window's own SetTimer: no control timer
  // is given it. False when a control timer holds it already.
  bool ReserveTimerId(uintptr_t id);
  bool IsTimerIdReserved(uintptr_t id) const;
  // A control timer of this window holds the native id (live or killed).
  bool IsTimerIdHeld(uintptr_t id) const;
  const std::vector<TimerRecord>& GetTimers() const { return timers_; }

  // Message handling: the window's messages after its own handlers; and
  // the pre-translation step of one manager. WM_PRINTCLIENT carries the
  // Bitmap* to print into in wParam (made client sized when empty).
  bool MessageHandler(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result);
  bool PreMessageHandler(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result);

  // Layout and repaint.
  void NeedUpdate() override { updateNeeded_ = true; }
  bool IsUpdateNeeded() const { return updateNeeded_; }
  void Invalidate();
  void Invalidate(const Rect& rect) override;
  // The frame last painted off-screen (client size).
  const Bitmap& GetOffscreenBitmap() const { return offscreen_; }
  bool IsShowUpdateRect() const { return showUpdateRect_; }
  void SetShowUpdateRect(bool show) { showUpdateRect_ = show; }

  // Window settings from the skin's Window element.
  Size GetInitSize() const { return initSize_; }
  void SetInitSize(Size size);
  Rect GetSizeBox() const { return sizeBox_; }
  void SetSizeBox(const Rect& box) { sizeBox_ = box; }
  Rect GetCaptionRect() const { return caption_; }
  void SetCaptionRect(const Rect& caption) { caption_ = caption; }
  Size GetRoundCorner() const { return roundCorner_; }
  void SetRoundCorner(Size corner) { roundCorner_ = corner; }
  Size GetMinInfo() const { return minInfo_; }
  void SetMinInfo(Size size) { minInfo_ = size; }
  Size GetMaxInfo() const { return maxInfo_; }
  void SetMaxInfo(Size size) { maxInfo_ = size; }
  uint8_t GetOpacity() const { return opacity_; }
  void SetOpacity(uint8_t alpha);
  uint8_t GetLayeredOpacity() const { return layeredOpacity_; }
  void SetLayeredOpacity(uint8_t alpha) { layeredOpacity_ = alpha; }
  void SetLayered(bool on) { layered_ = on; }
  const std::wstring& GetLayeredImage() const { return layeredImage_; }
  void SetLayeredImage(std::wstring_view descriptor);
  bool IsNoActivate() const { return noActivate_; }
  void SetNoActivate(bool on) { noActivate_ = on; }
  DefaultColors& GetDefaultColors() { return defaultColors_; }
  const DefaultColors& GetDefaultColors() const override { return defaultColors_; }
  ShadowSettings& GetShadow() { return shadow_.Settings(); }
  const ShadowSettings& GetShadow() const { return shadow_.Settings(); }
  // The window's drop shadow, made when a tree is attached.
  CShadowUI& GetShadowUI() { return shadow_; }
  // The window's tooltip popup; null until a tooltip was first shown.
  CTooltipWindow* GetTooltipWindow() const { return tooltip_.get(); }
  void SetUseGdiplusText(bool on) { gdiplusText_ = on; }
  int GetGdiplusTextRenderingHint() const { return textRenderingHint_; }
  void SetGdiplusTextRenderingHint(int hint) { textRenderingHint_ = hint; }
  uint32_t GetHoverTime() const { return hoverTime_; }
  void SetHoverTime(uint32_t ms) { hoverTime_ = ms; }

  // Display scale in percent; 100 = off.
  void SetDisplayScale(int percent);
  // The scale every paint manager made afterwards starts with: the desktop's,
  // so that the chooser, tooltips and shadows match the main window.
  static void SetDefaultDisplayScale(int percent);
  static int DefaultDisplayScale();
  bool IsScalingOn() const { return scalePercent_ != 100; }

  // Resources of this window (falling back on the process's shared ones).
  CResourceTables& Resources() { return *resources_; }
  SkinImage* AddImage(std::wstring_view name, std::wstring_view resType = {}, uint32_t mask = 0,
                      bool adjustColour = false, bool shared = false, NativeModule module = nullptr);
  SkinFont* AddFont(int id, std::wstring_view face, int size, bool bold, bool underline, bool italic,
                    bool shared = false);
  SkinFont* SetDefaultFont(std::wstring_view face, int size, bool bold, bool underline, bool italic,
                           bool shared = false);
  void AddDefaultAttributeList(std::wstring_view element, std::wstring_view list, bool shared = false);
  const std::wstring* GetDefaultAttributeList(std::wstring_view element) override;
  bool AddStyle(std::wstring_view name, std::wstring_view list, bool shared = false);
  const std::wstring* GetStyle(std::wstring_view name) override;
  // Registers a private font file read from the skin's resources.
  bool AddFontFile(std::wstring_view name);

  // IRenderResources.
  const SkinImage* GetOrLoadImage(std::wstring_view name, std::wstring_view resType, uint32_t mask) override;
  ImageDescriptorCache& DescriptorCache() override { return descriptorCache_; }
  const ITextFont* GetFont(int index) override;
  ITextEngine* TextEngine() override;
  int DisplayScale() const override { return scalePercent_; }
  bool IsLayered() const override { return layered_; }
  bool UseGdiplusText() const override { return gdiplusText_; }

 private:
  // initSize_, the limits, the caption, the size box and the round corner,
  // from the scale `before` to the current one.
  void RescaleWindowGeometry(int before);
  // The pieces of MessageHandler, one per message family.
  bool HandleMouseMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result);
  bool HandleKeyMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam);
  bool HandleWindowMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result);
  bool HandleReflectedMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result);
  bool AskMessageFilters(uint32_t message, WPARAM_T wParam, LPARAM_T lParam, LRESULT_T& result);
  void OnMouseMove(Point point, WPARAM_T wParam, LPARAM_T lParam);
  void OnButtonDown(int eventType, Point point, WPARAM_T wParam, LPARAM_T lParam, bool takeFocus);
  void OnButtonUp(int eventType, Point point, WPARAM_T wParam, LPARAM_T lParam);
  void OnMouseWheel(WPARAM_T wParam, LPARAM_T lParam);
  void OnMouseHover(Point point, WPARAM_T wParam, LPARAM_T lParam);
  void OnMouseLeave();
  bool OnSetCursor(WPARAM_T wParam, LPARAM_T lParam);
  void OnClose();
  void HideTooltip();
  bool HandleTimer(WPARAM_T id, LPARAM_T lParam);
  void Paint();
  void PaintInto(Bitmap& target, const Rect& area);
  void LayoutIfNeeded(bool& laidOut);
  void DrainQueue();
  void PostDrainMessage();
  void DeliverNotify(NotifyRecord& msg);
  // Sends one input event to `control`; false when the control went away
  // while handling it.
  bool SendEvent(CControlUI* control, int type, WPARAM_T wParam = 0, LPARAM_T lParam = 0, wchar_t key = 0,
                 uint16_t keyState = 0);
  InputEvent MakeEvent(int type, CControlUI* sender, WPARAM_T wParam = 0, LPARAM_T lParam = 0) const;
  uint16_t KeyStateNow() const;
  void ResetWindowTables();
  void MoveTabFocus(bool forward);
  void TakeNeededFocus();
  CControlUI* FindShortcut(wchar_t ch) const;
  // Every control tracked by a slot (focus, hot, click, key, focus target).
  std::array<ControlRef*, 5> TrackedSlots();
  void EnterNames(CControlUI* control);

  WindowHandle window_ = nullptr;
  std::wstring name_;
  ControlPtr root_;
  ControlRef focus_;
  ControlRef hot_;
  ControlRef click_;
  ControlRef key_;
  ControlRef focusTarget_;
  Point lastMousePos_{-1, -1};
  bool firstLayout_ = true;
  bool updateNeeded_ = false;
  bool focusNeeded_ = false;
  bool mouseTracking_ = false;
  bool captured_ = false;
  bool useVirtualWnd_ = false;
  bool asyncPosted_ = false;
  bool showUpdateRect_ = false;
  bool offscreenPaint_ = true;
  bool layered_ = false;
  bool noActivate_ = false;
  bool gdiplusText_ = false;
  int textRenderingHint_ = 0;
  uint8_t opacity_ = 255;
  uint8_t layeredOpacity_ = 255;
  std::wstring layeredImage_;
  uint32_t hoverTime_ = 400;
  uintptr_t timerCounter_ = 4096;
  int scalePercent_ = 100;
  Size initSize_;
  Rect sizeBox_;
  Rect caption_;
  Size roundCorner_;
  Size minInfo_;
  Size maxInfo_;
  DefaultColors defaultColors_;
  CShadowUI shadow_;
  std::unique_ptr<CTooltipWindow> tooltip_;

  std::vector<INotifyUI*> notifiers_;
  std::vector<TimerRecord> timers_;
  std::vector<uintptr_t> reservedTimerIds_;
  std::vector<ITranslateAccelerator*> translateAccelerators_;
  std::vector<IMessageFilterUI*> preMessageFilters_;
  std::vector<IMessageFilterUI*> messageFilters_;
  std::vector<CControlUI*> postPaintControls_;
  // Destroyed when the queue is next drained.
  std::vector<ControlPtr> doomed_;
  // A queued notification; its sender is watched, since it may die first.
  struct QueuedNotify {
    std::unique_ptr<NotifyRecord> record;
    ControlRef sender;
  };
  std::deque<QueuedNotify> asyncNotify_;
  std::unordered_map<std::wstring, CControlUI*> names_;

  std::unique_ptr<CResourceTables> resources_;
  ImageDescriptorCache descriptorCache_;
  Bitmap offscreen_;
};

}  // namespace zui

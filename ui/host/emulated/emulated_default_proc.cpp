// What DefWindowProc does for the messages the toolkit leaves to it, and the
// system services that go straight to the backend: monitor, message boxes,
// cursor.

#include "ui/host/emulated/emulated_host.h"
#include "ui/host/emulated/emulated_window.h"

namespace zui {
namespace {

constexpr uint32_t kSysCommandMask = 0xFFF0;

LPARAM_T PointParam(Point p) { return MakeLParam(p.x, p.y); }

int SizingCursor(int hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT: return kCursorSizeWE;
    case HTTOP:
    case HTBOTTOM: return kCursorSizeNS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return kCursorSizeNWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return kCursorSizeNESW;
    default: return kCursorArrow;
  }
}

}  // namespace

LRESULT_T EmulatedHost::DefaultProc(WindowHandle window, uint32_t message, WPARAM_T wParam, LPARAM_T lParam) {
  WindowRecord* rec = Find(window);
  if (rec == nullptr) return 0;
  WindowHandle parent = rec->Child() ? rec->parent : nullptr;
  switch (message) {
    case WM_NCCREATE: return 1;
    case WM_CLOSE: DestroyHostWindow(window); return 0;
    case WM_PAINT:
      BeginPaint(window);
      EndPaint(window);
      return 0;
    case WM_NCHITTEST: {
      Point p{LParamX(lParam), LParamY(lParam)};
      return rec->rect.Contains(p) ? HTCLIENT : HTNOWHERE;
    }
    case WM_NCACTIVATE: return 1;
    case WM_ACTIVATE:
      if (LowWord(wParam) != WA_INACTIVE && !rec->Minimized() && !IsWithin(focus_, window)) SetFocus(window);
      return 0;
    case WM_MOUSEACTIVATE:
      if (parent != nullptr) {
        LRESULT_T answer = SendMessage(parent, message, wParam, lParam);
        if (answer != 0) return answer;
      }
      return MA_ACTIVATE;
    case WM_SETCURSOR: return DefaultSetCursor(window, wParam, lParam);
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU: return parent != nullptr ? SendMessage(parent, message, wParam, lParam) : 0;
    case WM_RBUTTONUP: {
      Point screen = ClientToScreen(window, {LParamX(lParam), LParamY(lParam)});
      SendMessage(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM_T>(window), PointParam(screen));
      return 0;
    }
    case WM_SETTEXT:
      rec->title = lParam == 0 ? L"" : reinterpret_cast<const wchar_t*>(lParam);
      if (!rec->Child()) backend_->SetSurfaceTitle(window, rec->title);
      return 1;
    case WM_SYSCOMMAND: return DefaultSysCommand(window, wParam, lParam);
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & (1 << 29)) != 0) PostMessage(RootOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_NCLBUTTONDOWN: {
      int hit = static_cast<int>(wParam);
      if (hit == HTCAPTION) {
        SendMessage(window, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam);
      } else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
        SendMessage(window, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + 1), lParam);
      }
      return 0;
    }
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION && (rec->style & WS_MAXIMIZEBOX) != 0) {
        SendMessage(window, WM_SYSCOMMAND, rec->Maximized() ? SC_RESTORE : SC_MAXIMIZE, lParam);
      }
      return 0;
    default: return 0;
  }
}

LRESULT_T EmulatedHost::DefaultSysCommand(WindowHandle window, WPARAM_T command, LPARAM_T lParam) {
  switch (command & kSysCommandMask) {
    case SC_CLOSE: SendMessage(window, WM_CLOSE, 0, 0); break;
    case SC_MINIMIZE: ShowHostWindow(window, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowHostWindow(window, SW_SHOWMAXIMIZED); break;
    case SC_RESTORE: ShowHostWindow(window, SW_RESTORE); break;
    case SC_MOVE:
    case SC_SIZE: {
      // The platform runs the move or size (or, in memory, only notes it);
      // the window sees it begin and end.
      bool move = (command & kSysCommandMask) == SC_MOVE;
      int hit = move ? HTCAPTION : static_cast<int>(command & 0x0F) + HTLEFT - 1;
      backend_->BeginMoveSize(RootOf(window), hit);
      SendMessage(window, WM_ENTERSIZEMOVE, 0, 0);
      SendMessage(window, WM_EXITSIZEMOVE, 0, 0);
      break;
    }
    default: break;
  }
  return 0;
}

LRESULT_T EmulatedHost::DefaultSetCursor(WindowHandle window, WPARAM_T wParam, LPARAM_T lParam) {
  WindowRecord* rec = Find(window);
  if (rec->Child() && SendMessage(rec->parent, WM_SETCURSOR, wParam, lParam) != 0) return 1;
  int hit = static_cast<int16_t>(LowWord(static_cast<uintptr_t>(lParam)));
  SetCursor(hit == HTCLIENT ? kCursorArrow : SizingCursor(hit));
  return 1;
}

// --- Monitor, message boxes, cursor ---

MonitorArea EmulatedHost::GetMonitorArea(WindowHandle window) const {
  return backend_->MonitorFor(GetWindowRect(RootOf(window)));
}

int EmulatedHost::GetDisplayDpi(WindowHandle window) const {
  return backend_->DisplayDpiFor(GetWindowRect(RootOf(window)));
}

int EmulatedHost::MessageBox(WindowHandle owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) {
  return backend_->MessageBox(owner, text, caption, flags);
}

void EmulatedHost::SetCursor(int systemCursor) { backend_->SetCursor(systemCursor); }

}  // namespace zui

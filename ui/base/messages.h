#pragma once
// The Win32 message model the toolkit is written against: message numbers,
// hit-test codes, keys, system commands, window styles and the records that
// travel with some messages, all with their Win32 values. The Win32 host
// passes real messages straight through; the other hosts make the same ones.
//
// Every value is guarded, so a platform file may include <windows.h> first
// and keep the system's definitions; it must include it before this header.

#include <cstdint>

#include "ui/base/geometry.h"

namespace zui {

using WPARAM_T = uintptr_t;
using LPARAM_T = intptr_t;
using LRESULT_T = intptr_t;

// A native window as the host knows it (an HWND on Windows).
struct HostWindowTag;
using WindowHandle = HostWindowTag*;

// Like MINMAXINFO: points are (x, y) pairs of 32-bit integers.
struct MinMaxInfo {
  Point reserved;
  Point maxSize;
  Point maxPosition;
  Point minTrackSize;
  Point maxTrackSize;
};

// The creation record that WM_NCCREATE and WM_CREATE carry in lParam. Its
// first member sits where CREATESTRUCTW keeps lpCreateParams, so code reading
// only that member works on the real record too.
struct HostCreateStruct {
  void* createParam = nullptr;
  void* instance = nullptr;
  void* menu = nullptr;
  WindowHandle parent = nullptr;
  int32_t cy = 0;
  int32_t cx = 0;
  int32_t y = 0;
  int32_t x = 0;
  int32_t style = 0;
  const wchar_t* name = nullptr;
  const wchar_t* className = nullptr;
  uint32_t exStyle = 0;
};

// System cursor identifiers (the numbers behind IDC_*).
enum SystemCursor : int {
  kCursorNone = 0,
  kCursorArrow = 32512,
  kCursorIBeam = 32513,
  kCursorWait = 32514,
  kCursorCross = 32515,
  kCursorUpArrow = 32516,
  kCursorSize = 32640,
  kCursorIcon = 32641,
  kCursorSizeNWSE = 32642,
  kCursorSizeNESW = 32643,
  kCursorSizeWE = 32644,
  kCursorSizeNS = 32645,
  kCursorSizeAll = 32646,
  kCursorNo = 32648,
  kCursorHand = 32649,
};

// Word helpers of the message parameters.
constexpr uint16_t LowWord(uintptr_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
constexpr uint16_t HighWord(uintptr_t v) { return static_cast<uint16_t>((v >> 16) & 0xFFFF); }
// Signed coordinates packed in lParam of mouse messages.
constexpr int LParamX(intptr_t l) { return static_cast<int16_t>(l & 0xFFFF); }
constexpr int LParamY(intptr_t l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }
constexpr intptr_t MakeLParam(int lo, int hi) {
  return static_cast<intptr_t>(
      static_cast<uint32_t>((static_cast<uint16_t>(lo)) | (static_cast<uint32_t>(static_cast<uint16_t>(hi)) << 16)));
}
constexpr uintptr_t MakeWParam(int lo, int hi) {
  return static_cast<uintptr_t>(static_cast<uint32_t>(MakeLParam(lo, hi)));
}

}  // namespace zui

// clang-format off
// Window messages.
#ifndef WM_NULL
#define WM_NULL            0x0000
#define WM_CREATE          0x0001
#define WM_DESTROY         0x0002
#define WM_MOVE            0x0003
#define WM_SIZE            0x0005
#define WM_ACTIVATE        0x0006
#define WM_SETFOCUS        0x0007
#define WM_KILLFOCUS       0x0008
#define WM_ENABLE          0x000A
#define WM_SETTEXT         0x000C
#define WM_PAINT           0x000F
#define WM_CLOSE           0x0010
#define WM_QUIT            0x0012
#define WM_ERASEBKGND      0x0014
#define WM_SHOWWINDOW      0x0018
#define WM_ACTIVATEAPP     0x001C
#define WM_SETCURSOR       0x0020
#define WM_MOUSEACTIVATE   0x0021
#define WM_GETMINMAXINFO   0x0024
#define WM_WINDOWPOSCHANGED 0x0047
#define WM_NOTIFY          0x004E
#define WM_CONTEXTMENU     0x007B
#define WM_SETICON         0x0080
#define WM_NCCREATE        0x0081
#define WM_NCDESTROY       0x0082
#define WM_NCCALCSIZE      0x0083
#define WM_NCHITTEST       0x0084
#define WM_NCPAINT         0x0085
#define WM_NCACTIVATE      0x0086
#define WM_NCMOUSEMOVE     0x00A0
#define WM_NCLBUTTONDOWN   0x00A1
#define WM_NCLBUTTONUP     0x00A2
#define WM_NCLBUTTONDBLCLK 0x00A3
#define WM_NCRBUTTONDOWN   0x00A4
#define WM_NCRBUTTONUP     0x00A5
#define WM_NCRBUTTONDBLCLK 0x00A6
#define WM_NCMBUTTONDOWN   0x00A7
#define WM_NCMBUTTONUP     0x00A8
#define WM_NCMBUTTONDBLCLK 0x00A9
#define WM_KEYDOWN         0x0100
#define WM_KEYUP           0x0101
#define WM_CHAR            0x0102
#define WM_SYSKEYDOWN      0x0104
#define WM_SYSKEYUP        0x0105
#define WM_SYSCHAR         0x0106
#define WM_COMMAND         0x0111
#define WM_SYSCOMMAND      0x0112
#define WM_TIMER           0x0113
#define WM_CTLCOLOREDIT    0x0133
#define WM_CTLCOLORSTATIC  0x0138
#define WM_MOUSEMOVE       0x0200
#define WM_LBUTTONDOWN     0x0201
#define WM_LBUTTONUP       0x0202
#define WM_LBUTTONDBLCLK   0x0203
#define WM_RBUTTONDOWN     0x0204
#define WM_RBUTTONUP       0x0205
#define WM_RBUTTONDBLCLK   0x0206
#define WM_MBUTTONDOWN     0x0207
#define WM_MBUTTONUP       0x0208
#define WM_MBUTTONDBLCLK   0x0209
#define WM_MOUSEWHEEL      0x020A
#define WM_CAPTURECHANGED  0x0215
#define WM_ENTERSIZEMOVE   0x0231
#define WM_EXITSIZEMOVE    0x0232
#define WM_MOUSEHOVER      0x02A1
#define WM_MOUSELEAVE      0x02A3
#define WM_PRINTCLIENT     0x0318
#define WM_USER            0x0400
#define WM_APP             0x8000
#endif
// Guarded alone: older Windows headers lack it. wParam: the new dots per
// inch in both words; lParam: the suggested window rectangle (a Rect).
#ifndef WM_DPICHANGED
#define WM_DPICHANGED      0x02E0
#endif

// Hit-test codes (WM_NCHITTEST answers, WM_SETCURSOR low word).
#ifndef HTCLIENT
#define HTERROR       (-2)
#define HTTRANSPARENT (-1)
#define HTNOWHERE     0
#define HTCLIENT      1
#define HTCAPTION     2
#define HTLEFT        10
#define HTRIGHT       11
#define HTTOP         12
#define HTTOPLEFT     13
#define HTTOPRIGHT    14
#define HTBOTTOM      15
#define HTBOTTOMLEFT  16
#define HTBOTTOMRIGHT 17
#endif

// System commands (WM_SYSCOMMAND wParam).
#ifndef SC_CLOSE
#define SC_SIZE     0xF000
#define SC_MOVE     0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_CLOSE    0xF060
#define SC_RESTORE  0xF120
#endif

// Virtual keys.
#ifndef VK_TAB
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_MBUTTON 0x04
#define VK_BACK    0x08
#define VK_TAB     0x09
#define VK_RETURN  0x0D
#define VK_SHIFT   0x10
#define VK_CONTROL 0x11
#define VK_MENU    0x12
#define VK_CAPITAL 0x14
#define VK_ESCAPE  0x1B
#define VK_SPACE   0x20
#define VK_PRIOR   0x21
#define VK_NEXT    0x22
#define VK_END     0x23
#define VK_HOME    0x24
#define VK_LEFT    0x25
#define VK_UP      0x26
#define VK_RIGHT   0x27
#define VK_DOWN    0x28
#define VK_DELETE  0x2E
#define VK_F4      0x73
#define VK_F10     0x79
#endif

// Button and modifier bits of mouse messages' wParam.
#ifndef MK_LBUTTON
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT   0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010
#endif

// WM_MOUSEWHEEL: one notch of the wheel.
#ifndef WHEEL_DELTA
#define WHEEL_DELTA 120
#endif

// TrackMouseEvent: the system's hover time.
#ifndef HOVER_DEFAULT
#define HOVER_DEFAULT 0xFFFFFFFF
#endif

// WM_ACTIVATE low word, and the answers to WM_MOUSEACTIVATE.
#ifndef WA_INACTIVE
#define WA_INACTIVE    0
#define WA_ACTIVE      1
#define WA_CLICKACTIVE 2
#define MA_ACTIVATE         1
#define MA_ACTIVATEANDEAT   2
#define MA_NOACTIVATE       3
#define MA_NOACTIVATEANDEAT 4
#endif

// Window styles.
#ifndef WS_CHILD
#define WS_OVERLAPPED   0x00000000L
#define WS_POPUP        0x80000000L
#define WS_CHILD        0x40000000L
#define WS_MINIMIZE     0x20000000L
#define WS_VISIBLE      0x10000000L
#define WS_DISABLED     0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE     0x01000000L
#define WS_CAPTION      0x00C00000L
#define WS_BORDER       0x00800000L
#define WS_DLGFRAME     0x00400000L
#define WS_SYSMENU      0x00080000L
#define WS_THICKFRAME   0x00040000L
#define WS_MINIMIZEBOX  0x00020000L
#define WS_MAXIMIZEBOX  0x00010000L
#define WS_OVERLAPPEDWINDOW 0x00CF0000L
#define WS_EX_TOPMOST     0x00000008L
#define WS_EX_TRANSPARENT 0x00000020L
#define WS_EX_TOOLWINDOW  0x00000080L
#define WS_EX_WINDOWEDGE  0x00000100L
#define WS_EX_LAYERED     0x00080000L
#define WS_EX_NOACTIVATE  0x08000000L
#endif

// Class styles.
#ifndef CS_DBLCLKS
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#endif

// Show commands.
#ifndef SW_HIDE
#define SW_HIDE            0
#define SW_SHOWNORMAL      1
#define SW_SHOWMINIMIZED   2
#define SW_SHOWMAXIMIZED   3
#define SW_MAXIMIZE        3
#define SW_SHOWNOACTIVATE  4
#define SW_SHOW            5
#define SW_MINIMIZE        6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA          8
#define SW_RESTORE         9
#endif

// WM_SIZE wParam.
#ifndef SIZE_RESTORED
#define SIZE_RESTORED  0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2
#endif

// Message box flags and answers.
#ifndef MB_ICONERROR
#define MB_OK              0x00000000L
#define MB_OKCANCEL        0x00000001L
#define MB_YESNO           0x00000004L
#define MB_ICONERROR       0x00000010L
#define MB_ICONQUESTION    0x00000020L
#define MB_ICONWARNING     0x00000030L
#define MB_ICONINFORMATION 0x00000040L
#define IDOK     1
#define IDCANCEL 2
#define IDYES    6
#define IDNO     7
#endif
// clang-format on

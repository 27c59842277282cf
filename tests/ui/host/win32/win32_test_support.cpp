#include "win32_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "tests/support/golden_image.h"
#include "ui/host/host.h"

namespace ztest {

bool PumpUntil(zui::IUiHost& host, const std::function<bool()>& done, uint32_t timeoutMs,
               const PreTranslate& preTranslate) {
  const DWORD start = GetTickCount();
  while (!done()) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return done();
    zui::HostMessage msg;
    if (host.PeekMessage(msg, true)) {
      if (msg.message == WM_QUIT) continue;
      if (preTranslate && preTranslate(msg)) continue;
      host.TranslateMessage(msg);
      host.DispatchMessage(msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(20, timeoutMs - elapsed), QS_ALLINPUT);
    }
  }
  return true;
}

void PumpFor(zui::IUiHost& host, uint32_t ms) {
  PumpUntil(
      host, [] { return false; }, ms);
}

zui::Bitmap GrabScreen(const zui::Rect& screenRect) {
  const int w = screenRect.Width();
  const int h = screenRect.Height();
  zui::Bitmap out(w, h);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, w, h, screen, screenRect.left, screenRect.top, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const uint32_t*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.at(x, y) = pixels[static_cast<size_t>(y) * w + x] | 0xFF000000u;
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  DeleteObject(dib);
  return out;
}

int CountDifferentPixels(const zui::Bitmap& a, const zui::Bitmap& b, int tolerance) {
  if (a.width() != b.width() || a.height() != b.height()) return -1;
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const uint32_t p = a.at(x, y);
      const uint32_t q = b.at(x, y);
      for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)) > tolerance) {
          ++count;
          break;
        }
      }
    }
  }
  return count;
}

std::string SaveArtifact(const zui::Bitmap& bitmap, const std::string& name) {
  const std::string path = std::string(ZAVIZ_BINARY_DIR) + "/artifacts/" + name + ".png";
  return WritePng(path, bitmap) ? path : std::string();
}

void RealClick(zui::Point screen) {
  // Move, press and release go in as one batch, so input that other test
  // processes send on the same display cannot come between them. Absolute
  // positions run over 0..65535 of the primary screen, rounded up here so
  // that the system's rounding down lands on the pixel.
  const int width = std::max(1, GetSystemMetrics(SM_CXSCREEN));
  const int height = std::max(1, GetSystemMetrics(SM_CYSCREEN));
  INPUT inputs[3]{};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  inputs[0].mi.dx = static_cast<LONG>((static_cast<int64_t>(screen.x) * 65536 + width - 1) / width);
  inputs[0].mi.dy = static_cast<LONG>((static_cast<int64_t>(screen.y) * 65536 + height - 1) / height);
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, inputs, sizeof(INPUT));
}

bool Recorder::Saw(uint32_t message) const { return Last(message) != nullptr; }

const SeenMessage* Recorder::Last(uint32_t message) const {
  for (auto it = seen.rbegin(); it != seen.rend(); ++it)
    if (it->message == message) return &*it;
  return nullptr;
}

int Recorder::Count(uint32_t message) const {
  return static_cast<int>(
      std::count_if(seen.begin(), seen.end(), [&](const SeenMessage& m) { return m.message == message; }));
}

zui::LRESULT_T RecordingProc(zui::WindowHandle window, uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam) {
  zui::IUiHost& host = zui::Host();
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<const zui::HostCreateStruct*>(lParam);
    auto* recorder = static_cast<Recorder*>(create->createParam);
    host.SetUserData(window, recorder);
    if (recorder != nullptr) recorder->nccreateParam = create->createParam;
  }
  auto* recorder = static_cast<Recorder*>(host.GetUserData(window));
  if (recorder == nullptr) return host.DefaultProc(window, message, wParam, lParam);
  recorder->seen.push_back({message, wParam, lParam});
  switch (message) {
    case WM_CREATE:
      recorder->createParam = reinterpret_cast<const zui::HostCreateStruct*>(lParam)->createParam;
      return 0;
    case WM_NCDESTROY: host.SetUserData(window, nullptr); break;
    case WM_PAINT: {
      const zui::Rect update = host.BeginPaint(window);
      if (recorder->paintWith != nullptr) host.Present(window, *recorder->paintWith, update);
      host.EndPaint(window);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case kAnswerMessage: return kAnswer;
    default: break;
  }
  return host.DefaultProc(window, message, wParam, lParam);
}

zui::WindowHandle MakeRecordingWindow(zui::IUiHost& host, Recorder& recorder, const zui::Rect& screen, uint32_t exStyle,
                                      zui::WindowHandle owner) {
  host.RegisterWindowClass({kRecordingClass, CS_DBLCLKS, &RecordingProc});
  zui::HostWindowDesc desc;
  desc.className = kRecordingClass;
  desc.title = L"recording";
  desc.style = WS_POPUP;
  desc.exStyle = exStyle;
  desc.rect = screen;
  desc.parent = owner;
  return host.CreateHostWindow(desc, &recorder);
}

zui::Bitmap Pattern(int width, int height) {
  zui::Bitmap out(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t r = static_cast<uint32_t>(x * 255 / std::max(1, width - 1));
      const uint32_t g = static_cast<uint32_t>(y * 255 / std::max(1, height - 1));
      const uint32_t b = ((x / 8 + y / 8) % 2) != 0 ? 0xE0 : 0x20;
      out.at(x, y) = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
  }
  return out;
}

}  // namespace ztest

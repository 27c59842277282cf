// Synthesised keys: where they go, the characters TranslateMessage makes,
// GetKeyState while they are handled, and Alt+F4.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "recording_window.h"

namespace zui {
namespace {

using test::RecordingWindows;
using ::testing::ElementsAre;

class KeyboardInput : public test::OneShownWindow {
 protected:
  std::vector<wchar_t> Chars(uint32_t message = WM_CHAR) {
    std::vector<wchar_t> out;
    for (const auto& r : windows.Of(message)) out.push_back(static_cast<wchar_t>(r.wParam));
    return out;
  }
};

TEST_F(KeyboardInput, TranslationPutsTheCharacterRightAfterItsKey) {
  host.PressKey('A');
  host.PressKeys({VK_SHIFT, 'B'});
  host.PressKey('1');
  host.PressKey(VK_RETURN);
  host.PressKey(VK_LEFT);  // makes no character
  host.PumpPending();
  EXPECT_THAT(Chars(), ElementsAre(L'a', L'B', L'1', L'\r'));
  auto first = windows.MessagesIgnoring(window, RecordingWindows::Chatter());
  ASSERT_GE(first.size(), 3u);
  EXPECT_THAT(std::vector<uint32_t>(first.begin(), first.begin() + 3), ElementsAre(WM_KEYDOWN, WM_CHAR, WM_KEYUP));
  auto up = windows.Of(WM_KEYUP)[0];
  EXPECT_NE(up.lParam & (LPARAM_T{1} << 31), 0);  // transition state: released

  // Without translation no characters appear.
  windows.Clear();
  host.PressKey('C');
  host.PumpPending([&](HostMessage& m) {
    host.DispatchMessage(m);
    return true;
  });
  EXPECT_THAT(Chars(), ElementsAre());
}

TEST_F(KeyboardInput, KeyStateFollowsTheMessagesAsTheyAreHandled) {
  std::vector<bool> shiftSeen;
  windows.Answer(WM_KEYDOWN, [&](WindowHandle, WPARAM_T key, LPARAM_T) {
    if (key == VK_TAB) shiftSeen.push_back((host.GetKeyState(VK_SHIFT) & 0x8000) != 0);
    return std::optional<LRESULT_T>(0);
  });
  host.PressKeys({VK_SHIFT, VK_TAB});
  host.PressKey(VK_TAB);
  host.PumpPending();
  EXPECT_THAT(shiftSeen, ElementsAre(true, false));
  EXPECT_EQ(host.GetKeyState(VK_SHIFT) & 0x8000, 0);
  host.PressKey(VK_CAPITAL);
  host.PumpPending();
  EXPECT_EQ(host.GetKeyState(VK_CAPITAL) & 1, 1);  // toggled
}

TEST_F(KeyboardInput, AltMakesSystemKeysAndAltF4ClosesTheWindow) {
  host.PressKeys({VK_MENU, 'X'});
  host.PumpPending();
  EXPECT_EQ(windows.Count(WM_KEYDOWN), 0);
  EXPECT_EQ(windows.Count(WM_SYSKEYDOWN), 2);
  EXPECT_THAT(Chars(WM_SYSCHAR), ElementsAre(L'x'));
  EXPECT_NE(windows.Of(WM_SYSKEYDOWN)[1].lParam & (LPARAM_T{1} << 29), 0);

  host.PressKeys({VK_MENU, VK_F4});
  host.PumpPending();
  ASSERT_EQ(windows.Count(WM_SYSCOMMAND), 1);
  EXPECT_EQ(windows.Of(WM_SYSCOMMAND)[0].wParam, static_cast<WPARAM_T>(SC_CLOSE));
  EXPECT_EQ(windows.Count(WM_CLOSE), 1);
  EXPECT_FALSE(host.IsHostWindow(window));
}

TEST_F(KeyboardInput, KeysAndTextGoToTheFocusWindow) {
  WindowHandle child = windows.Create({10, 10, 50, 30}, WS_CHILD | WS_VISIBLE, window);
  host.SetFocus(child);
  windows.Clear();
  host.PressKey(VK_ESCAPE);
  host.TypeText(L"好a");
  host.PumpPending();
  EXPECT_EQ(windows.Count(WM_KEYDOWN, window), 0);
  EXPECT_EQ(windows.Count(WM_KEYDOWN, child), 1);
  EXPECT_THAT(Chars(), ElementsAre(L'\x1B', L'好', L'a'));

  // With no focus, keys reach the active window as system keys.
  host.SetFocus(nullptr);
  windows.Clear();
  host.PressKey('Q');
  host.PumpPending();
  EXPECT_EQ(windows.Count(WM_SYSKEYDOWN, window), 1);
  EXPECT_EQ(windows.Count(WM_SYSCHAR, window), 1);
}

}  // namespace
}  // namespace zui

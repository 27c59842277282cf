#pragma once
// The real repair window over the headless host with the program's skins,
// fake network seams and the real server on a free loopback port.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/repair/vxg_down.h"
#include "tests/app/repair_fakes.h"
#include "tests/net/fakes.h"
#include "tests/tftp/tftp_test_support.h"
#include "ui/host/headless/headless_host.h"

namespace zapp::testing {

class RepairWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void AddCard(const std::string& name, uint32_t index, const std::wstring& description = L"Ethernet");
  // Creates the window the way the program does, shown and painted.
  VXGDown& Open();
  int Pump();
  zui::CControlUI* Find(const wchar_t* name);
  // Clicks the middle of `control` (of the repair window unless `window` is given).
  void Click(zui::CControlUI* control, zui::WindowHandle window = nullptr);
  void Click(const wchar_t* name) { Click(Find(name)); }
  // The start button of the first page (the name table answers the second one).
  zui::CControlUI* FirstPageBeginButton();
  int Page();
  std::wstring TextOf(const wchar_t* name);
  // Writes the window's last frame to the artifacts folder.
  void SaveFrame(zui::WindowHandle window, const std::string& name);

  zui::HeadlessHost host_;
  zui::ScopedHost scope_{host_};
  ztftp::testing::ScratchFolder firmware_, runtime_, logs_;
  Journal journal_;
  znet::testing::FakeAdapters adapters_;
  znet::PhysicalCardTable physical_;
  FakeChanger changer_{journal_};
  FakeKeeper keeper_{journal_};
  znet::RestoreRecordFile record_{runtime_.path() / "restore-record"};
  std::FILE* console_ = std::tmpfile();
  int port_ = FreeUdpPort();
  std::unique_ptr<VXGDown> window_;
  zui::WindowHandle hwnd_ = nullptr;
};

}  // namespace zapp::testing

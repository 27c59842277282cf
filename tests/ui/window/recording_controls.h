#pragma once
// Controls that write down what the skin builder does to them, so the tests
// can check the order of creation, attaching, defaults and attributes
// without depending on what any real setter does with a value.

#include <string>
#include <string_view>
#include <vector>

#include "ui/controls/control.h"
#include "ui/window/skin_builder.h"
#include "ui/layout/container.h"

namespace ztest {

using BuildLog = std::vector<std::wstring>;

// Every recording control has a number (creation order, from 1) and writes
// "new 1", "attr 1 name=value", "manager 1 set", "manager 1 cleared",
// "add 2 to 1", "delete 1".
class RecordingLeaf : public zui::CControlUI {
 public:
  explicit RecordingLeaf(BuildLog& log);
  ~RecordingLeaf() override;
  void SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void SetManager(zui::IControlManagerUI* manager, zui::CControlUI* parent, bool init = true) override;
  int Number() const { return number_; }

 private:
  BuildLog& log_;
  int number_;
};

class RecordingBox : public zui::CContainerUI {
 public:
  RecordingBox(BuildLog& log, bool refuseChildren);
  ~RecordingBox() override;
  void SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void SetManager(zui::IControlManagerUI* manager, zui::CControlUI* parent, bool init = true) override;
  using zui::CContainerUI::Add;
  bool Add(zui::ControlPtr&& control) override;
  int Number() const { return number_; }

 private:
  BuildLog& log_;
  int number_;
  bool refuseChildren_;
};

// Makes "Leaf", "Box" and "Refuser" (a box that refuses every child) and
// notes every name it is asked for in `asked`.
class RecordingCallback : public zui::IDialogBuilderCallback {
 public:
  zui::CControlUI* CreateControl(std::wstring_view elementName) override;

  BuildLog log;
  std::vector<std::wstring> asked;
};

// The number of a recording control, 0 for any other control.
int NumberOf(zui::CControlUI* control);
// Starts numbering from 1 again.
void ResetRecordingNumbers();

}  // namespace ztest

#include "recording_controls.h"

#include "ui/window/paint_manager.h"

namespace ztest {
namespace {

int nextNumber = 1;

std::wstring ManagerEvent(int number, const zui::IControlManagerUI* manager) {
  return L"manager " + std::to_wstring(number) + (manager != nullptr ? L" set" : L" cleared");
}

std::wstring AttributeEvent(int number, std::wstring_view name, std::wstring_view value) {
  return L"attr " + std::to_wstring(number) + L" " + std::wstring(name) + L"=" + std::wstring(value);
}

}  // namespace

void ResetRecordingNumbers() { nextNumber = 1; }

RecordingLeaf::RecordingLeaf(BuildLog& log) : log_(log), number_(nextNumber++) {
  log_.push_back(L"new " + std::to_wstring(number_));
}

RecordingLeaf::~RecordingLeaf() { log_.push_back(L"delete " + std::to_wstring(number_)); }

void RecordingLeaf::SetAttribute(std::wstring_view name, std::wstring_view value) {
  log_.push_back(AttributeEvent(number_, name, value));
  CControlUI::SetAttribute(name, value);
}

void RecordingLeaf::SetManager(zui::IControlManagerUI* manager, zui::CControlUI* parent, bool init) {
  log_.push_back(ManagerEvent(number_, manager));
  CControlUI::SetManager(manager, parent, init);
}

RecordingBox::RecordingBox(BuildLog& log, bool refuseChildren)
    : log_(log), number_(nextNumber++), refuseChildren_(refuseChildren) {
  log_.push_back(L"new " + std::to_wstring(number_));
}

RecordingBox::~RecordingBox() { log_.push_back(L"delete " + std::to_wstring(number_)); }

void RecordingBox::SetAttribute(std::wstring_view name, std::wstring_view value) {
  log_.push_back(AttributeEvent(number_, name, value));
  CContainerUI::SetAttribute(name, value);
}

void RecordingBox::SetManager(zui::IControlManagerUI* manager, zui::CControlUI* parent, bool init) {
  log_.push_back(ManagerEvent(number_, manager));
  CContainerUI::SetManager(manager, parent, init);
}

bool RecordingBox::Add(zui::ControlPtr&& control) {
  if (refuseChildren_) {
    log_.push_back(L"refuse " + std::to_wstring(NumberOf(control.get())));
    return false;
  }
  log_.push_back(L"add " + std::to_wstring(NumberOf(control.get())) + L" to " + std::to_wstring(number_));
  return CContainerUI::Add(std::move(control));
}

zui::CControlUI* RecordingCallback::CreateControl(std::wstring_view elementName) {
  asked.emplace_back(elementName);
  if (elementName == L"Leaf") return new RecordingLeaf(log);
  if (elementName == L"Box") return new RecordingBox(log, false);
  if (elementName == L"Refuser") return new RecordingBox(log, true);
  return nullptr;
}

int NumberOf(zui::CControlUI* control) {
  if (auto* leaf = dynamic_cast<RecordingLeaf*>(control)) return leaf->Number();
  if (auto* box = dynamic_cast<RecordingBox*>(control)) return box->Number();
  return 0;
}

}  // namespace ztest

#pragma once
// The diagnosis as the workflow holds it: the inbox the sources fill, the
// findings, and where they go (the view's status line, the support log).
// Everything but the inbox's Push runs on the UI thread.

#include <cstdint>
#include <functional>
#include <string>

#include "app/repair/diagnosis/diagnosis_inbox.h"
#include "app/repair/diagnosis/repair_diagnosis.h"

namespace zapp {

class DiagnosisHub {
 public:
  using ShowLine = std::function<void(const std::wstring& line)>;
  using LogLine = std::function<void(const std::string& line)>;

  DiagnosisHub(RepairDiagnosis::Clock clock, ShowLine show, LogLine log);

  DiagnosisInbox& Inbox() { return inbox_; }
  const RepairDiagnosis& Findings() const { return diagnosis_; }

  void Begin();
  void End();
  // The events the sources left since the last call.
  void TakeEvents();
  void Tick();
  void OnProgress(double position);
  void OnDownloadComplete();

 private:
  void Publish();

  RepairDiagnosis::Clock clock_;
  ShowLine show_;
  LogLine log_;
  DiagnosisInbox inbox_;
  RepairDiagnosis diagnosis_;
  uint64_t beganMs_ = 0;
};

}  // namespace zapp

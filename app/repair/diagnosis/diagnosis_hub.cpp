#include "app/repair/diagnosis/diagnosis_hub.h"

#include <cstdio>
#include <utility>

#include "sys/text_encoding.h"

namespace zapp {

DiagnosisHub::DiagnosisHub(RepairDiagnosis::Clock clock, ShowLine show, LogLine log)
    : clock_(std::move(clock)), show_(std::move(show)), log_(std::move(log)), diagnosis_(clock_) {}

void DiagnosisHub::Begin() {
  // Events already waiting stay: the server runs before the card has the
  // address, and a box that asked in between is part of this repair.
  beganMs_ = clock_();
  diagnosis_.Begin();
  Publish();
}

void DiagnosisHub::End() {
  TakeEvents();
  diagnosis_.End();
  inbox_.Take();  // nothing of this repair is left for the next one
}

void DiagnosisHub::TakeEvents() {
  for (const DiagnosisEvent& event : inbox_.Take()) diagnosis_.Apply(event);
  Publish();
}

void DiagnosisHub::Tick() {
  diagnosis_.Tick();
  Publish();
}

void DiagnosisHub::OnProgress(double position) {
  diagnosis_.OnProgress(position);
  Publish();
}

void DiagnosisHub::OnDownloadComplete() { diagnosis_.OnDownloadComplete(); }

void DiagnosisHub::Publish() {
  // Each line in turn, so a frontend that keeps lines (the terminal) misses
  // none of a batch; a label ends on the latest.
  for (const Finding& finding : diagnosis_.TakeNewFindings()) {
    if (finding.shown && show_) show_(finding.text);
    if (!log_) continue;
    const uint64_t ms = finding.atMs - beganMs_;
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "diagnosis +%llu.%03llus: ", static_cast<unsigned long long>(ms / 1000),
                  static_cast<unsigned long long>(ms % 1000));
    log_(stamp + zsys::WideToUtf8(finding.text) + "\n");
  }
}

}  // namespace zapp

#pragma once
// What the box is doing, in one line: the diagnosis turns the events of the
// card's link, the capture and the server, and the workflow's progress, into
// the latest finding (the status line under the waiting and downloading
// pages) and a timestamped list for the support log. UI-free and single
// threaded (the UI thread); times come from the injected clock.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/repair/diagnosis/diagnosis_event.h"

namespace zapp {

struct Finding {
  uint64_t atMs = 0;
  std::wstring text;
  bool shown = false;  // it became the status line (the refused image's line keeps it)
};

class RepairDiagnosis {
 public:
  using Clock = std::function<uint64_t()>;

  // U-Boot sends its ACK again after 5 s without the next block, and our
  // server resends long before that: a box that is still there is heard
  // within one of its periods, so a silence of more than one period (and a
  // second of slack) is worth saying.
  static constexpr uint64_t kAckSilenceMs = 6000;
  // The support log keeps this many findings; a flapping link must not grow it without end.
  static constexpr size_t kMaxFindings = 200;

  explicit RepairDiagnosis(Clock clock);

  // The card has the repair address: the watch begins (findings of an
  // earlier attempt go).
  void Begin();
  // The card is given back: nothing is watched any more.
  void End();
  bool Watching() const { return watching_; }

  void Apply(const DiagnosisEvent& event);
  // A new DATA block went out, so the box acknowledged the one before.
  void OnProgress(double position);
  // The whole image went out: the silence timer stops (the box is busy
  // writing it). Whether a later request is one for the image again the
  // server says in the request's event.
  void OnDownloadComplete();
  // Runs the silence timer; call at least once a second while watching.
  void Tick();

  // The current status line (empty before the watch begins).
  const std::wstring& StatusLine() const { return status_; }
  const std::vector<Finding>& Findings() const { return findings_; }
  // Findings recorded since the last call (for the support log).
  std::vector<Finding> TakeNewFindings();
  // The box asked for the image again after it had all of it.
  bool AskedAgain() const { return askedAgain_; }
  // Whether the status line changed since the last call.
  bool TakeChanged();

 private:
  void SeeBox(const std::string& address);
  void Note(const std::wstring& text);
  void OnLink(bool up);
  void OnReadRequest(const std::string& address, bool afterWholeImage);

  Clock clock_;
  bool watching_ = false;
  std::wstring status_;
  std::vector<Finding> findings_;
  size_t reported_ = 0;
  bool changed_ = false;

  enum class Link { kUnknown, kDown, kUp } link_ = Link::kUnknown;
  bool linkWasDown_ = false;
  std::string boxAddress_;  // empty until the box was seen
  std::string otherServerWanted_;
  bool transferring_ = false;
  bool downloadComplete_ = false;
  bool askedAgain_ = false;
  uint64_t lastProgressMs_ = 0;
  bool silenceSaid_ = false;
};

}  // namespace zapp

#include "app/repair/diagnosis/repair_diagnosis.h"

#include <utility>

#include "app/repair/diagnosis_texts.h"
#include "app/repair/language.h"
#include "sys/text_encoding.h"

namespace zapp {
namespace {

constexpr char kRepairAddress[] = "192.168.1.2";

// The text in the current face, with its "{}" replaced by `value`.
std::wstring Fill(const wchar_t* pattern, const std::string& value) {
  std::wstring text = Tr(pattern);
  const size_t at = text.find(L"{}");
  if (at != std::wstring::npos) text.replace(at, 2, zsys::Utf8ToWide(value));
  return text;
}

}  // namespace

RepairDiagnosis::RepairDiagnosis(Clock clock) : clock_(std::move(clock)) {}

void RepairDiagnosis::Begin() {
  *this = RepairDiagnosis(std::move(clock_));
  watching_ = true;
  Note(kDiagWatching);
}

void RepairDiagnosis::End() { watching_ = false; }

void RepairDiagnosis::Apply(const DiagnosisEvent& event) {
  if (!watching_) return;
  using Kind = DiagnosisEvent::Kind;
  switch (event.kind) {
    case Kind::kLinkUp: OnLink(true); break;
    case Kind::kLinkDown: OnLink(false); break;
    case Kind::kAddressPutBack: Note(kDiagAddressPutBack); break;
    case Kind::kBoxPacket: SeeBox(event.address); break;
    case Kind::kArpForOther:
      // Asking for our address is what a box that found us does.
      if (event.detail == kRepairAddress || event.detail == otherServerWanted_) break;
      if (boxAddress_.empty()) boxAddress_ = event.address;
      otherServerWanted_ = event.detail;
      Note(Fill(kDiagOtherServer, event.detail));
      break;
    case Kind::kReadRequest: OnReadRequest(event.address, event.afterWholeImage); break;
    case Kind::kUnknownName:
      SeeBox(event.address);
      Note(Fill(kDiagUnknownName, event.detail));
      break;
    case Kind::kTransferGivenUp:
      // After the whole image the box may leave without its last word.
      if (!transferring_ || downloadComplete_ || event.afterWholeImage) break;
      transferring_ = false;
      Note(kDiagGivenUp);
      break;
    case Kind::kSourceMissing: Note(zsys::Utf8ToWide(event.detail)); break;
  }
}

void RepairDiagnosis::OnLink(bool up) {
  const Link before = link_;
  link_ = up ? Link::kUp : Link::kDown;
  if (before == link_) return;
  if (!up) {
    linkWasDown_ = true;
    Note(transferring_ && !downloadComplete_ ? kDiagLinkLost : kDiagLinkDown);
  } else if (before == Link::kDown) {
    Note(kDiagLinkUp);
  }
}

// The box's first packet, whichever source saw it first: the capture's
// thread and the server's may deliver in either order.
void RepairDiagnosis::SeeBox(const std::string& address) {
  if (!boxAddress_.empty() || address.empty()) return;
  boxAddress_ = address;
  Note(Fill(kDiagBoxSeen, address));
}

void RepairDiagnosis::OnReadRequest(const std::string& address, bool afterWholeImage) {
  SeeBox(address);
  // The server's word, not the order in which this thread saw the progress.
  if (afterWholeImage) {
    askedAgain_ = true;
    Note(kDiagAskedAgain);
    return;
  }
  Note(transferring_ ? std::wstring(kDiagRestarted) : Fill(kDiagTransferStarted, address));
  transferring_ = true;
  lastProgressMs_ = clock_();
  silenceSaid_ = false;
}

void RepairDiagnosis::OnProgress(double position) {
  if (!watching_ || position <= 0) return;
  transferring_ = true;
  lastProgressMs_ = clock_();
  if (silenceSaid_) {
    silenceSaid_ = false;
    Note(kDiagResumed);
  }
}

void RepairDiagnosis::OnDownloadComplete() { downloadComplete_ = true; }

void RepairDiagnosis::Tick() {
  if (!watching_ || !transferring_ || downloadComplete_ || silenceSaid_) return;
  if (clock_() - lastProgressMs_ < kAckSilenceMs) return;
  silenceSaid_ = true;
  Note(Fill(kDiagNoAck, std::to_string(kAckSilenceMs / 1000)));
}

std::vector<Finding> RepairDiagnosis::TakeNewFindings() {
  std::vector<Finding> fresh(findings_.begin() + std::ptrdiff_t(reported_), findings_.end());
  reported_ = findings_.size();
  return fresh;
}

bool RepairDiagnosis::TakeChanged() { return std::exchange(changed_, false); }

void RepairDiagnosis::Note(const std::wstring& original) {
  const std::wstring text = Tr(original);
  // The line that says the image was refused stays: it is the outcome.
  if (askedAgain_ && text != Tr(kDiagAskedAgain)) {
    findings_.push_back({clock_(), text, false});
  } else if (text != status_) {
    status_ = text;
    changed_ = true;
    findings_.push_back({clock_(), text, true});
  }
  if (findings_.size() > kMaxFindings) {
    findings_.erase(findings_.begin());
    if (reported_ > 0) --reported_;
  }
}

}  // namespace zapp

// When closing asks first. The question warns that leaving may harm the box,
// so it is asked only while the box is being changed: the card holds the
// repair address for a device that is awaited, downloading or finishing.
// On the start and failure pages nothing has been changed, and on the
// finished page the repair is done; there every close leaves at once and
// gives back whatever was changed.

#include "app/repair/repair_workflow.h"

namespace zapp {

bool RepairWorkflow::CloseAsksFirst() const {
  // A close on the question itself is its answer.
  if (state_ == ConfirmExit || state_ == Finished) return false;
  return cardGiven_ || state_ == WaitingForDevice || state_ == Downloading;
}

void RepairWorkflow::RequestClose() { OnCloseOrExitClick(true); }

void RepairWorkflow::OnEscape() {
  if (state_ == ConfirmExit) {
    CancelExit();
    return;
  }
  OnCloseOrExitClick(true);
}

}  // namespace zapp

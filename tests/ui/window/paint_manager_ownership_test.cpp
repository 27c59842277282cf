// Who owns a control and what is left once it goes: a whole tree torn down
// while the window tracks controls inside it, children handed back alive,
// and the name table following renames and namesakes.

#include "manager_test_support.h"

namespace zui::test {
namespace {

class OwnershipTest : public ManagerTest {
 protected:
  // Counts the destruction of `control`. The count is shared with the
  // listener: controls still in the window die after this fixture's part.
  template <typename T>
  T* Counted(T* control) {
    control->OnDestroy.Add([count = destroyed_](CControlUI&) {
      ++*count;
      return true;
    });
    return control;
  }
  int Destroyed() const { return *destroyed_; }

  std::shared_ptr<int> destroyed_ = std::make_shared<int>(0);
};

TEST_F(OwnershipTest, TearingDownTenThousandControlsFreesEachOnceAndLeavesNothingTracked) {
  constexpr int kBoxes = 1000;
  constexpr int kLeavesPerBox = 9;  // 1,000 boxes + 9,000 leaves
  RecordingControl* pressed = nullptr;
  RecordingControl* timed = nullptr;
  for (int b = 0; b < kBoxes; ++b) {
    auto* box = Counted(AddChild<CContainerUI>(*root_, L"b" + std::to_wstring(b), {0, 0, 400, 300}));
    for (int l = 0; l < kLeavesPerBox; ++l) {
      const std::wstring name = L"c" + std::to_wstring(b) + L"_" + std::to_wstring(l);
      auto* leaf = Counted(AddChild(*box, name, {10 + 30 * l, 10, 30 + 30 * l, 40}));
      if (b == kBoxes - 1 && l == 0) pressed = leaf;  // the last box is on top
      if (b == 0 && l == 1) timed = leaf;
    }
  }
  ShowWindow();
  host_.MoveMouse(handle(), {15, 15});
  host_.PressLeft(handle(), {15, 15});
  host_.KeyDown('A');
  Pump();
  ASSERT_EQ(manager().GetHot(), pressed);
  ASSERT_EQ(manager().GetFocus(), pressed);
  ASSERT_EQ(manager().GetClick(), pressed);
  ASSERT_TRUE(manager().SetTimer(timed, 1, 50));
  manager().SendNotify(timed, L"ping", 0, 0, true);
  ASSERT_NE(manager().FindControl(L"c999_8"), nullptr);

  root_->RemoveAll();
  // Out of the window at once, destroyed only after the current message.
  EXPECT_EQ(Destroyed(), 0);
  EXPECT_EQ(manager().GetHot(), nullptr);
  EXPECT_EQ(manager().GetFocus(), nullptr);
  EXPECT_EQ(manager().GetClick(), nullptr);
  EXPECT_EQ(manager().GetKeyControl(), nullptr);
  EXPECT_TRUE(manager().GetTimers().empty());
  for (const wchar_t* name : {L"b0", L"c0_0", L"b500", L"c500_4", L"b999", L"c999_8"})
    EXPECT_EQ(manager().FindControl(name), nullptr) << name;

  host_.AdvanceClock(200);
  host_.KeyUp('A');
  host_.ReleaseLeft(handle(), {15, 15});
  Pump();
  EXPECT_EQ(Destroyed(), kBoxes * (1 + kLeavesPerBox));
  EXPECT_EQ(log_.Of(L"ping"), std::vector<std::wstring>{L"ping:-"});
  EXPECT_FALSE(manager().IsCaptured());
  EXPECT_EQ(root_->GetCount(), 0);
}

TEST_F(OwnershipTest, AChildHandedBackLeavesTheWindowAliveAndCanJoinAgain) {
  auto* box = AddChild<CContainerUI>(*root_, L"box", {0, 0, 200, 100});
  RecordingControl* inner = Counted(AddChild(*box, L"inner", {10, 10, 60, 40}));
  ShowWindow();
  host_.MoveMouse(handle(), {20, 20});
  Pump();
  ASSERT_EQ(manager().GetHot(), inner);
  ASSERT_TRUE(manager().SetTimer(inner, 3, 50));

  ControlPtr kept = root_->Detach(box);
  ASSERT_EQ(kept.get(), box);
  EXPECT_EQ(root_->Detach(box), nullptr);
  EXPECT_EQ(box->GetParent(), nullptr);
  EXPECT_EQ(inner->GetManager(), nullptr) << "a detached tree must not point at a window that may go first";
  EXPECT_EQ(manager().GetHot(), nullptr);
  EXPECT_TRUE(manager().GetTimers().empty());
  EXPECT_EQ(manager().FindControl(L"inner"), nullptr);
  Pump();
  EXPECT_EQ(Destroyed(), 0);

  // A failed add leaves the control with the caller.
  EXPECT_FALSE(root_->AddAt(std::move(kept), 5));
  ASSERT_NE(kept, nullptr);
  EXPECT_TRUE(root_->Add(std::move(kept)));
  EXPECT_EQ(kept, nullptr);
  EXPECT_EQ(manager().FindControl(L"inner"), inner);
  EXPECT_EQ(inner->GetManager(), &manager());
}

TEST_F(OwnershipTest, NameTableFollowsRenamesAndKeepsANamesakesEntry) {
  root_->SetDelayedDestroy(false);
  RecordingControl* early = Counted(AddChild(*root_, L"pair", {0, 0, 10, 10}));
  RecordingControl* late = Counted(AddChild(*root_, L"pair", {0, 0, 10, 10}));
  ASSERT_EQ(manager().FindControl(L"pair"), late);
  // The earlier namesake's entry was taken; its death must not remove the
  // later one's.
  root_->Remove(early);
  EXPECT_EQ(manager().FindControl(L"pair"), late);

  late->SetName(L"solo");
  manager().RegisterName(late);
  EXPECT_EQ(manager().FindControl(L"pair"), nullptr) << "the old key is dropped on a rename";
  EXPECT_EQ(manager().FindControl(L"solo"), late);
  late->SetName(L"renamed but not registered");
  root_->Remove(late);
  EXPECT_EQ(Destroyed(), 2);
  EXPECT_EQ(manager().FindControl(L"solo"), nullptr) << "found by the key it was entered under";
}

}  // namespace
}  // namespace zui::test

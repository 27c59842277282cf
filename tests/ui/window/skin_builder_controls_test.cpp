// The control pass: what is made, in which order it is attached and given
// its attributes, and what is skipped or destroyed.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "recording_controls.h"
#include "resource_test_support.h"
#include "ui/window/paint_manager.h"
#include "ui/window/skin_builder.h"

namespace {

using ztest::BuildLog;
using ztest::NumberOf;
using ztest::RecordingCallback;
using zui::CSkinBuilder;
using zui::IContainerUI;

IContainerUI* ContainerOf(zui::CControlUI* control) { return dynamic_cast<IContainerUI*>(control); }

// The events about one control ("new 2", "attr 2 a=1", "add 2 to 1", ...).
BuildLog EventsOf(const BuildLog& log, int number) {
  BuildLog events;
  const std::wstring id = std::to_wstring(number);
  for (const std::wstring& e : log) {
    const size_t start = e.find(L' ') + 1;
    const size_t end = e.find(L' ', start);
    if (e.compare(start, end == std::wstring::npos ? std::wstring::npos : end - start, id) == 0) events.push_back(e);
  }
  return events;
}

size_t IndexOf(const BuildLog& log, const std::wstring& event) {
  return static_cast<size_t>(std::find(log.begin(), log.end(), event) - log.begin());
}

BuildLog WithoutManagerEvents(const BuildLog& log) {
  BuildLog events;
  for (const std::wstring& e : log)
    if (e.rfind(L"manager", 0) != 0) events.push_back(e);
  return events;
}

int ChainLength(zui::CControlUI* control) {
  int length = 0;
  while (IContainerUI* box = ContainerOf(control)) {
    ++length;
    control = box->GetCount() > 0 ? box->GetItemAt(0) : nullptr;
  }
  return length;
}

class SkinBuilderControlsTest : public ztest::ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    ztest::ResetRecordingNumbers();
  }

  // The root stays alive until the test ends, so its deletions come last.
  zui::CControlUI* Build(const std::wstring& xml, zui::CPaintManagerUI* manager = nullptr,
                         zui::CControlUI* parent = nullptr) {
    CSkinBuilder builder;
    root_.reset(builder.Create(xml, {}, &callback_, manager, parent));
    return root_.get();
  }

  RecordingCallback callback_;
  std::unique_ptr<zui::CControlUI> root_;
};

TEST_F(SkinBuilderControlsTest, ChildrenAreBuiltAndAddedBeforeTheParentTakesItsAttributes) {
  Build(L"<Window><Box a=\"1\"><Leaf b=\"2\"/><Leaf c=\"3\"/></Box></Window>");
  const BuildLog expected = {L"new 1", L"new 2",      L"add 2 to 1", L"attr 2 b=2",
                             L"new 3", L"add 3 to 1", L"attr 3 c=3", L"attr 1 a=1"};
  EXPECT_EQ(WithoutManagerEvents(callback_.log), expected);
  ASSERT_NE(ContainerOf(root_.get()), nullptr);
  EXPECT_EQ(ContainerOf(root_.get())->GetCount(), 2);
}

TEST_F(SkinBuilderControlsTest, ManagerIsLentForDefaultsAndAttributesThenTakenBack) {
  zui::CPaintManagerUI manager;
  Build(L"<Window><Default name=\"Leaf\" value=\"x=&quot;d&quot; y=&quot;d&quot;\"/>"
        L"<Box z=\"box\"><Leaf y=\"own\"/></Box></Window>",
        &manager);
  // (Adding may hand the child its new parent's manager, which is none yet.)
  const BuildLog leaf = EventsOf(callback_.log, 2);
  const size_t lent = IndexOf(leaf, L"manager 2 set");
  ASSERT_GT(lent, IndexOf(leaf, L"add 2 to 1"));
  const BuildLog expected = {L"manager 2 set", L"attr 2 x=d", L"attr 2 y=d", L"attr 2 y=own", L"manager 2 cleared"};
  ASSERT_GE(leaf.size(), lent + expected.size());
  EXPECT_EQ(BuildLog(leaf.begin() + lent, leaf.begin() + lent + expected.size()), expected);
  // The box is attached to nothing and takes its attributes after its child was added.
  EXPECT_LT(IndexOf(callback_.log, L"add 2 to 1"), IndexOf(callback_.log, L"manager 1 set"));
  EXPECT_LT(IndexOf(callback_.log, L"manager 1 set"), IndexOf(callback_.log, L"attr 1 z=box"));
  EXPECT_LT(IndexOf(callback_.log, L"attr 1 z=box"), IndexOf(callback_.log, L"manager 1 cleared"));
  // Nothing keeps the manager until the tree is attached for real.
  EXPECT_EQ(root_->GetManager(), nullptr);
  EXPECT_EQ(ContainerOf(root_.get())->GetItemAt(0)->GetManager(), nullptr);
}

TEST_F(SkinBuilderControlsTest, UnknownElementIsSkippedWithItsSubtree) {
  Build(L"<Window><Box><Foo><Leaf name=\"inside\"/></Foo><Leaf name=\"next\"/></Box></Window>");
  EXPECT_EQ(callback_.asked, (std::vector<std::wstring>{L"Box", L"Foo", L"Leaf"}));
  ASSERT_EQ(ContainerOf(root_.get())->GetCount(), 1);
  EXPECT_EQ(ContainerOf(root_.get())->GetItemAt(0)->GetName(), L"next");
}

TEST_F(SkinBuilderControlsTest, ControlUnderANonContainerEndsThatLevel) {
  Build(L"<Window><Box><Leaf name=\"leaf\"><Leaf/><Leaf/></Leaf><Leaf name=\"after\"/></Box></Window>");
  // The first child of the leaf is made and destroyed; its sibling is never asked for.
  EXPECT_EQ(callback_.asked.size(), 4u);
  EXPECT_LT(IndexOf(callback_.log, L"delete 3"), IndexOf(callback_.log, L"add 2 to 1"));
  ASSERT_EQ(ContainerOf(root_.get())->GetCount(), 2);
  EXPECT_EQ(ContainerOf(root_.get())->GetItemAt(1)->GetName(), L"after");

  // Building straight under a non-container yields nothing.
  zui::CControlUI leaf;
  CSkinBuilder builder;
  EXPECT_EQ(builder.Create(L"<Window><Leaf/></Window>", {}, &callback_, nullptr, &leaf), nullptr);
}

TEST_F(SkinBuilderControlsTest, RefusedChildIsDestroyedAndTheNextOneTried) {
  Build(L"<Window><Refuser><Leaf/><Leaf/></Refuser></Window>");
  const BuildLog expected = {L"new 1", L"new 2", L"refuse 2", L"delete 2", L"new 3", L"refuse 3", L"delete 3"};
  EXPECT_EQ(WithoutManagerEvents(callback_.log), expected);
  EXPECT_EQ(NumberOf(root_.get()), 1);
}

TEST_F(SkinBuilderControlsTest, WithoutParentOnlyTheFirstTopLevelControlIsMade) {
  Build(L"<Window><Foo/><Leaf name=\"first\"/><Leaf name=\"second\"/><Box/></Window>");
  ASSERT_NE(root_, nullptr);
  EXPECT_EQ(root_->GetName(), L"first");
  EXPECT_EQ(callback_.asked, (std::vector<std::wstring>{L"Foo", L"Leaf"}));
}

TEST_F(SkinBuilderControlsTest, BuildsIntoAGivenParentAndAnswersTheFirstControl) {
  zui::CContainerUI parent;
  CSkinBuilder builder;
  zui::CControlUI* first =
      builder.Create(L"<Window><Leaf name=\"a\"/><Leaf name=\"b\"/></Window>", {}, &callback_, nullptr, &parent);
  ASSERT_EQ(parent.GetCount(), 2);
  EXPECT_EQ(first, parent.GetItemAt(0));
  EXPECT_EQ(parent.GetItemAt(1)->GetName(), L"b");
}

TEST_F(SkinBuilderControlsTest, IncludeAddsTheIncludedControlsCountTimes) {
  const std::wstring included = L"source=\"&lt;Window&gt;&lt;Leaf name=&quot;inc&quot;/&gt;&lt;/Window&gt;\"";
  Build(L"<Window><Box><Include " + included + L" count=\"3\"/><Leaf name=\"own\"/></Box></Window>");
  IContainerUI* box = ContainerOf(root_.get());
  ASSERT_EQ(box->GetCount(), 4);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(box->GetItemAt(i)->GetName(), L"inc");
  EXPECT_EQ(box->GetItemAt(3)->GetName(), L"own");

  Build(L"<Window><Box><Include " + included + L" count=\"-2\"/><Include count=\"2\"/><Include/></Box></Window>");
  EXPECT_EQ(ContainerOf(root_.get())->GetCount(), 0);
}

TEST_F(SkinBuilderControlsTest, IncludeCountIsBoundedPerBuild) {
  Build(L"<Window><Box><Include source=\"&lt;Window&gt;&lt;Leaf/&gt;&lt;/Window&gt;\" count=\"2147483647\"/>"
        L"</Box></Window>");
  EXPECT_EQ(ContainerOf(root_.get())->GetCount(), CSkinBuilder::kMaxIncludedDocuments);
}

TEST_F(SkinBuilderControlsTest, AnIncludeOfItselfStopsAtTheDepthBound) {
  zui::CResourceSettings::Instance().SetResourcePath(Folder());
  ztest::WriteBytes(dir_ / "self.xml", std::string("<Window><Box><Include source=\"self.xml\"/></Box></Window>"));
  ztest::WriteBytes(dir_ / "fan.xml",
                    std::string("<Window><Box><Include source=\"fan.xml\" count=\"3\"/></Box></Window>"));

  CSkinBuilder builder;
  root_.reset(builder.Create(L"self.xml", {}, &callback_));
  EXPECT_EQ(ChainLength(root_.get()), CSkinBuilder::kMaxIncludeDepth + 1);

  // Three copies of itself at every level: the document budget ends it.
  callback_.asked.clear();
  root_.reset(builder.Create(L"fan.xml", {}, &callback_));
  EXPECT_EQ(callback_.asked.size(), static_cast<size_t>(CSkinBuilder::kMaxIncludedDocuments) + 1);
}

TEST_F(SkinBuilderControlsTest, IncludeOfAResourceDocumentReadsSourceAsAResourceNumber) {
  const std::string main = "<Window><Box><Include source=\"102\" count=\"2\"/></Box></Window>";
  const std::string part = "<Window><Leaf name=\"from-resource\"/></Window>";
  zui::RegisterEmbeddedResource(L"SKIN", 101, main.data(), main.size());
  zui::RegisterEmbeddedResource(L"SKIN", 102, part.data(), part.size());

  CSkinBuilder builder;
  root_.reset(builder.Create(zui::SkinDocument::Resource(101), L"SKIN", &callback_));
  IContainerUI* box = ContainerOf(root_.get());
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(box->GetCount(), 2);
  EXPECT_EQ(box->GetItemAt(1)->GetName(), L"from-resource");

  // The same Include in a text document names a file "102", which is absent.
  Build(L"<Window><Box><Include source=\"102\"/></Box></Window>");
  EXPECT_EQ(ContainerOf(root_.get())->GetCount(), 0);
}

TEST_F(SkinBuilderControlsTest, NestingDeeperThanTheBoundIsNotBuilt) {
  std::wstring xml = L"<Window>";
  for (int i = 0; i < 300; ++i) xml += L"<Box>";
  for (int i = 0; i < 300; ++i) xml += L"</Box>";
  Build(xml + L"</Window>");
  EXPECT_EQ(ChainLength(root_.get()), CSkinBuilder::kMaxControlDepth);
}

}  // namespace

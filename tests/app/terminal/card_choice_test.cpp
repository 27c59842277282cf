// Which card the terminal repair takes: --card by number, name, description
// or any adapter the system lists; the line naming what exists when it
// fits none; the number typed at the choice.

#include <gtest/gtest.h>

#include "app/zaviz_repair/card_choice.h"
#include "tests/app/scoped_language.h"

namespace zaviz_repair {
namespace {

znet::AdapterEntry Adapter(const std::string& name, const std::string& description, uint32_t index) {
  znet::AdapterEntry entry;
  entry.name = name;
  entry.description = description;
  entry.index = index;
  return entry;
}

znet::NetCardInfo Card(const std::string& description, uint32_t index, const std::string& ip, bool dhcp) {
  znet::NetCardInfo card;
  card.description = description;
  card.index = index;
  card.ipAddress = ip;
  card.dhcpEnabled = dhcp;
  return card;
}

class CardChoiceTest : public ::testing::Test {
 protected:
  std::vector<znet::AdapterEntry> adapters_ = {Adapter("lo", "lo", 1), Adapter("eth0", "Intel I219", 2),
                                               Adapter("veth9", "veth9", 9), Adapter("eth1", "eth1", 3)};
  std::vector<znet::NetCardInfo> cards_ = {Card("Intel I219", 2, "10.0.0.5", true), Card("eth1", 3, "0.0.0.0", false)};
  std::vector<ListedCard> listed_ = ListCards(cards_, adapters_);
};

TEST_F(CardChoiceTest, TheListNamesEveryCardByItsAdapterNameInTheSystemsOrder) {
  ASSERT_EQ(listed_.size(), 2u);
  EXPECT_EQ(listed_[0].name, "eth0");
  EXPECT_EQ(listed_[1].name, "eth1");
  EXPECT_EQ(NumberedList(listed_), "  1) eth0  Intel I219  10.0.0.5 (DHCP)\n  2) eth1  0.0.0.0\n");
}

TEST_F(CardChoiceTest, TheOptionTakesANumberANameADescriptionOrAnyListedAdapter) {
  const std::vector<std::pair<std::string, std::string>> answers = {
      {"1", "eth0"}, {"2", "eth1"}, {"eth1", "eth1"}, {"Intel I219", "eth0"}, {"veth9", "veth9"}};
  for (const auto& [asked, expected] : answers) {
    const CardAnswer answer = ResolveCardOption(asked, listed_, adapters_);
    EXPECT_TRUE(answer.found) << asked;
    EXPECT_EQ(answer.adapterName, expected) << asked;
  }
}

TEST_F(CardChoiceTest, AnOptionThatFitsNothingSaysWhatExistsOnOneLine) {
  const zapp::testing::ScopedLanguage english(zapp::Language::kEnglish);
  for (const std::string asked : {"0", "3", "0002x", "99999999999999999999", "wlan0", ""}) {
    const CardAnswer answer = ResolveCardOption(asked, listed_, adapters_);
    EXPECT_FALSE(answer.found) << asked;
    EXPECT_NE(answer.problem.find("the wired cards are: 1) eth0, 2) eth1"), std::string::npos) << answer.problem;
    EXPECT_EQ(answer.problem.find('\n'), std::string::npos);
  }
  EXPECT_EQ(ResolveCardOption("3", listed_, adapters_).problem,
            "--card 3: no card has that number; the wired cards are: 1) eth0, 2) eth1; other adapters: lo, veth9");
  EXPECT_EQ(ResolveCardOption("wlan0", {}, {}).problem, "--card wlan0: no such card; there is no wired card");
  EXPECT_EQ(ResolveCardOption("wlan0", {}, adapters_).problem,
            "--card wlan0: no such card; there is no wired card; other adapters: lo, eth0, veth9, eth1");
}

TEST_F(CardChoiceTest, TheTypedNumberGivesTheCardsIndexAndAnythingElseNone) {
  EXPECT_EQ(ChosenIndex("1", cards_), 2u);
  EXPECT_EQ(ChosenIndex(" 2 \r", cards_), 3u);
  for (const std::string typed : {"", "0", "3", "-1", "1x", "eth0", "+1"})
    EXPECT_EQ(ChosenIndex(typed, cards_), 0u) << typed;
}

}  // namespace
}  // namespace zaviz_repair

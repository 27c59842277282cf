#include "net/cards_diagnostic.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace znet {
namespace {

using testing::Adapter;

TEST(CardsDiagnostic, ListsEligibleCardsAfterTheDump) {
  testing::FakeRegistry registry;
  registry.subKeys = {{L"0000", {L"{A}", 0x4u}}, {L"0001", {L"{B}", 0x4u}}};
  testing::FakeAdapters adapters;
  AdapterEntry a = Adapter("{A}", "Card A", 7);
  a.ipAddress = "10.0.0.5";
  AdapterEntry b = Adapter("{B}", "Card B", 9);
  b.dhcpEnabled = true;
  adapters.list = {a, Adapter("{V}", "Virtual", 3), b};
  int count = -1;
  const std::string printed =
      testing::CaptureOutput([&](std::FILE* out) { count = PrintCardsDiagnostic(out, registry, adapters); });
  EXPECT_EQ(count, 2);
  EXPECT_NE(printed.find("Adapter Name:     {V}\n"), std::string::npos);
  const size_t tail = printed.find("Eligible wired cards: 2\n");
  ASSERT_NE(tail, std::string::npos);
  EXPECT_EQ(printed.substr(tail), "Eligible wired cards: 2\n"
                                  "  index 7: Card A, address 10.0.0.5, static\n"
                                  "  index 9: Card B, address 0.0.0.0, DHCP\n");
}

}  // namespace
}  // namespace znet

// GetAdaptersInfo as this system (Wine here) answers it: the values vary by
// machine, so the test checks that every entry is well-formed.

#include <gtest/gtest.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include "net/adapter_discovery.h"
#include "net/win32/win_adapter_source.h"

namespace znet {
namespace {

bool IsDottedQuad(const std::string& text) {
  in_addr address{};
  return inet_pton(AF_INET, text.c_str(), &address) == 1;
}

TEST(WinAdapterSource, EntriesAreWellFormedAndDumped) {
  WinAdapterSource source;
  std::vector<AdapterEntry> adapters;
  const AdapterQuery result = source.ListAdapters(adapters);
  if (result == AdapterQuery::Failed && adapters.empty()) GTEST_SKIP() << "GetAdaptersInfo lists no adapter here";
  ASSERT_EQ(result, AdapterQuery::Ok);
  for (const AdapterEntry& a : adapters) {
    SCOPED_TRACE(a.name);
    EXPECT_FALSE(a.name.empty());
    EXPECT_GT(a.index, 0u);
    EXPECT_GT(a.type, 0u);
    EXPECT_LE(a.hardwareAddress.size(), 8u);
    EXPECT_TRUE(IsDottedQuad(a.ipAddress)) << a.ipAddress;
    EXPECT_TRUE(IsDottedQuad(a.ipMask)) << a.ipMask;
    EXPECT_TRUE(a.gateway.empty() || IsDottedQuad(a.gateway)) << a.gateway;
  }

  // The dump covers every adapter that is not wireless.
  size_t wired = 0;
  for (const AdapterEntry& a : adapters) wired += a.type != kAdapterTypeWireless;
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  std::vector<NetCardInfo> cards;
  GetNetCards(source, {}, cards, out);
  std::rewind(out);
  size_t dumped = 0;
  char line[512];
  while (std::fgets(line, sizeof(line), out)) dumped += std::string(line).rfind("pAdapter->Type is ", 0) == 0;
  std::fclose(out);
  EXPECT_EQ(dumped, wired);
  EXPECT_TRUE(cards.empty()) << "no card is physical with an empty table";
}

}  // namespace
}  // namespace znet

// Option negotiation and name confinement on their own.

#include <gtest/gtest.h>

#include "tests/tftp/tftp_test_support.h"
#include "tftp/negotiation.h"
#include "tftp/retransmit_timer.h"
#include "tftp/root_path.h"

namespace ztftp::testing {
namespace {

std::string Oack(const OptionList& options, bool is_read, int64_t size, int* blksize = nullptr,
                 int* timeout_ms = nullptr) {
  const Negotiation result = Negotiate(options, is_read, size);
  if (blksize) *blksize = result.blksize;
  if (timeout_ms) *timeout_ms = result.timeout_ms;
  std::string text = result.oack_options;
  for (char& c : text) {
    if (c == '\0') c = '|';
  }
  return text;
}

TEST(Negotiation, AcknowledgedValuesAreTheOnesUsed) {
  int blksize = 0, timeout = 0;
  EXPECT_EQ(Oack({{"blksize", "128"}}, true, 10, &blksize), "blksize|128|");
  EXPECT_EQ(blksize, 128);
  EXPECT_EQ(Oack({{"blksize", "8"}}, true, 10, &blksize), "blksize|8|");
  EXPECT_EQ(Oack({{"blksize", "7"}}, true, 10, &blksize), "");
  EXPECT_EQ(blksize, 512);
  EXPECT_EQ(Oack({{"blksize", "2049"}}, true, 10, &blksize), "blksize|512|");
  EXPECT_EQ(Oack({{"blksize", "99999999999999999999"}}, true, 10, &blksize), "blksize|512|");
  EXPECT_EQ(blksize, 512);
  EXPECT_EQ(Oack({{"blksize", ""}}, true, 10, &blksize), "");
  EXPECT_EQ(Oack({{"timeout", "19"}}, true, 10, nullptr, &timeout), "timeout|19|");
  EXPECT_EQ(timeout, 19000);
  EXPECT_EQ(Oack({{"timeout", "0"}, {"timeout2", "1"}}, true, 10, nullptr, &timeout), "");
  EXPECT_EQ(timeout, 5000);
  EXPECT_EQ(Oack({{"tsize", "word"}}, true, 41943040), "tsize|41943040|");
  EXPECT_EQ(Oack({{"tsize", "777"}}, false, 0), "tsize|777|");
  EXPECT_EQ(Oack({{"tsize", "word"}}, false, 0), "");
  EXPECT_EQ(Oack({{"Windowsize", "8"}, {"Blksize", "1024"}}, true, 10, &blksize), "");
  EXPECT_EQ(blksize, 512);
}

TEST(Negotiation, WindowsizeIsTakenWithinOneTo64ForReadsOnly) {
  const std::pair<const char*, const char*> cases[] = {{"1", "windowsize|1|"},
                                                       {"8", "windowsize|8|"},
                                                       {"64", "windowsize|64|"},
                                                       {"65", "windowsize|64|"},
                                                       {"1000", "windowsize|64|"},
                                                       {"99999999999999999999", "windowsize|64|"},
                                                       {"0", ""},
                                                       {"x", ""},
                                                       {"", ""}};
  for (const auto& [asked, acknowledged] : cases) {
    const Negotiation result = Negotiate({{"windowsize", asked}}, true, 10);
    std::string text = result.oack_options;
    for (char& c : text) c = c == '\0' ? '|' : c;
    EXPECT_EQ(text, acknowledged) << asked;
    EXPECT_EQ(result.windowsize, text.empty() ? 1 : std::stoi(text.substr(11))) << asked;
  }
  // An upload stays lock-step: the option is left out and the peer falls back.
  EXPECT_EQ(Oack({{"windowsize", "8"}, {"blksize", "1024"}}, false, 0), "blksize|1024|");
  EXPECT_EQ(Negotiate({{"windowsize", "8"}}, false, 0).windowsize, 1);
}

TEST(Negotiation, LaterDuplicatesReplaceAndTruncatedPairsAreDropped) {
  static const char raw[] = "blksize\0"
                            "100\0"
                            "tsize\0"
                            "0\0"
                            "blksize\0"
                            "200\0"
                            "timeout\0"
                            "5";
  const std::string block(raw, sizeof raw - 1);
  const OptionList options = ParseOptions(reinterpret_cast<const uint8_t*>(block.data()), int(block.size()));
  EXPECT_EQ(options, (OptionList{{"blksize", "200"}, {"tsize", "0"}}));
}

TEST(RootPath, NamesStayInsideTheRoot) {
  ScratchFolder root;
  root.Write("sub/f.bin", {1});
  std::string resolved;
  EXPECT_TRUE(ResolveInsideRoot(root.text(), "sub/f.bin", &resolved));
  EXPECT_EQ(resolved, root.text() + "/sub/f.bin");
  EXPECT_TRUE(ResolveInsideRoot(root.text(), "sub\\f.bin", &resolved));
  EXPECT_EQ(resolved, root.text() + "/sub/f.bin");
  EXPECT_TRUE(ResolveInsideRoot(root.text(), "new..name", &resolved));
  EXPECT_TRUE(ResolveInsideRoot(root.text(), "sub/./f.bin", &resolved));
  for (const char* name : {"../x", "..", "sub/../../x", "sub\\..\\..\\x", "/etc/passwd", "\\x", "C:x", "c:\\x",
                           "\\\\host\\share", "//host/share", "sub/.."}) {
    EXPECT_FALSE(ResolveInsideRoot(root.text(), name, &resolved)) << name;
  }
}

}  // namespace
}  // namespace ztftp::testing

namespace ztftp::testing {
namespace {

TEST(RetransmitTimer, EstimatesAsRfc6298AboveItsFloorAndBelowTheTimeout) {
  EXPECT_EQ(RetransmitTimer(5000).TimeoutMs(), 1000);  // no round trip yet
  EXPECT_EQ(RetransmitTimer(700).TimeoutMs(), 700);
  RetransmitTimer timer(5000);
  timer.AddSample(100);  // the first: SRTT = R, RTTVAR = R/2, RTO = SRTT + 4 RTTVAR
  EXPECT_EQ(timer.TimeoutMs(), 300);
  timer.AddSample(200);  // RTTVAR = 3/4 50 + 1/4 100, then SRTT = 7/8 100 + 1/8 200
  EXPECT_EQ(timer.variation_us(), 62500);
  EXPECT_EQ(timer.smoothed_us(), 112500);
  EXPECT_EQ(timer.TimeoutMs(), 363);
  for (int i = 0; i < 100; ++i) timer.AddSample(80);  // steady: the variation fades
  EXPECT_EQ(timer.TimeoutMs(), 81);                   // SRTT and the clock's 1 ms
  for (int i = 0; i < 100; ++i) timer.AddSample(0);   // loopback, under a millisecond
  EXPECT_EQ(timer.TimeoutMs(), RetransmitTimer::kFloorMs);
  RetransmitTimer short_cap(1000);
  short_cap.AddSample(400);
  EXPECT_EQ(short_cap.TimeoutMs(), 1000);  // 400 + 800, capped
}

// Karn: the caller takes no sample from a resent packet, so the backoff
// stays until a packet sent once is acknowledged.
TEST(RetransmitTimer, DoublesOnEachResendUpToTheTimeoutUntilAValidSample) {
  RetransmitTimer timer(5000);
  timer.AddSample(100);
  for (int wait : {300, 600, 1200, 2400, 4800, 5000, 5000}) {
    EXPECT_EQ(timer.TimeoutMs(), wait);
    timer.BackOff();
  }
  for (int i = 0; i < 100; ++i) timer.BackOff();  // a peer gone for good: no overflow
  EXPECT_EQ(timer.TimeoutMs(), 5000);
  timer.AddSample(100);
  EXPECT_EQ(timer.backoff(), 0);
  EXPECT_EQ(timer.TimeoutMs(), 250);  // 100 + 4 x 37.5
}

}  // namespace
}  // namespace ztftp::testing

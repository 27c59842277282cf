// Who holds a UDP port: a socket this test binds on 127.0.0.1 is found with
// this process's id and program name, through /proc on Linux and
// GetExtendedUdpTable on Windows. Wine 8 lists the socket with no owner
// (process id 0), so there the holder is found but not seen. On Linux the /proc
// reading also runs over a tree made here: another user's process, whose
// descriptors cannot be read, is a holder that is not seen.

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <string>

#include "app/repair/process/port_holder.h"
#include "tests/app/own_process.h"
#include "tftp/udp_socket.h"

#ifndef _WIN32
#include "app/repair/process/posix/proc_port_holder.h"
#include "tests/tftp/tftp_test_support.h"
#endif

namespace zapp {
namespace {

using testing::OwnPid;
using testing::OwnProgramName;
using testing::UnderWine;

TEST(UdpPortHolder, ASocketBoundHereIsThisProcessUntilItCloses) {
  ztftp::SocketOpenResult opened = ztftp::OpenUdpSocket(ztftp::LoopbackIp(), 0, 100);
  ASSERT_TRUE(opened.socket);
  const uint16_t port = opened.socket->LocalPort();
  ASSERT_NE(port, 0);

  const PortHolder holder = FindUdpPortHolder(port);
  EXPECT_TRUE(holder.found);
  if (UnderWine()) {
    EXPECT_EQ(holder.pid, 0u);
    EXPECT_TRUE(holder.program.empty());
  } else {
    EXPECT_EQ(holder.pid, OwnPid());
    EXPECT_EQ(holder.program, OwnProgramName());
  }
  EXPECT_EQ(ProgramNameOf(OwnPid()), OwnProgramName());

  opened.socket.reset();
  const PortHolder after = FindUdpPortHolder(port);
  EXPECT_FALSE(after.found);
  EXPECT_EQ(after.pid, 0u);
  EXPECT_TRUE(after.program.empty());
}

#ifndef _WIN32
void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

constexpr char kHeading[] =
    "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode ref pointer "
    "drops\n";

TEST(UdpPortHolder, ProcTablesOfBothFamiliesAndAnOwnerThatCannotBeSeen) {
  ztftp::testing::ScratchFolder proc;
  // Port 69 (0x45) on 0.0.0.0 by inode 4242; a closed socket (inode 0) on 69 too; 6969 by another.
  WriteFile(proc.path() / "net" / "udp",
            std::string(kHeading) +
                "  12: 00000000:0045 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        0 4242 2 "
                "0000000000000000 0\n"
                "  13: 0100007F:0045 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        0 0 2 "
                "0000000000000000 0\n"
                "  14: 00000000:1B39 00000000:0000 07 00000000:00000000 00:00000000 00000000  1000        0 5151 2 "
                "0000000000000000 0\n");
  // Port 53 (0x35) only on IPv6, by inode 777.
  WriteFile(proc.path() / "net" / "udp6",
            std::string(kHeading) +
                "   3: 00000000000000000000000000000000:0035 00000000000000000000000000000000:0000 07 "
                "00000000:00000000 00:00000000 00000000   101        0 777 2 0000000000000000 0\n");
  WriteFile(proc.path() / "812" / "comm", "in.tftpd\n");
  WriteFile(proc.path() / "903" / "comm", "dnsmasq\n");
  std::filesystem::create_directories(proc.path() / "812" / "fd");
  std::filesystem::create_directories(proc.path() / "903" / "fd");
  std::filesystem::create_symlink("/dev/null", proc.path() / "812" / "fd" / "0");
  std::filesystem::create_symlink("socket:[4242]", proc.path() / "812" / "fd" / "5");
  std::filesystem::create_symlink("socket:[777]", proc.path() / "903" / "fd" / "4");
  WriteFile(proc.path() / "self" / "comm", "not a pid folder\n");

  PortHolder holder = FindUdpPortHolderIn(proc.path(), 69);
  EXPECT_TRUE(holder.found);
  EXPECT_EQ(holder.pid, 812u);
  EXPECT_EQ(holder.program, "in.tftpd");

  holder = FindUdpPortHolderIn(proc.path(), 53);
  EXPECT_EQ(holder.pid, 903u);
  EXPECT_EQ(holder.program, "dnsmasq");

  // In the table, but no descriptor we may read links to it.
  holder = FindUdpPortHolderIn(proc.path(), 6969);
  EXPECT_TRUE(holder.found);
  EXPECT_EQ(holder.pid, 0u);
  EXPECT_TRUE(holder.program.empty());

  EXPECT_FALSE(FindUdpPortHolderIn(proc.path(), 70).found);
  EXPECT_FALSE(FindUdpPortHolderIn(proc.path() / "absent", 69).found);
}
#endif

}  // namespace
}  // namespace zapp

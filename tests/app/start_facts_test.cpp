// What the start page says before a click: the firmware looked up over real
// folders (found, not found, empty, a folder, not readable, and a near-name
// to rename), the lines made of those facts, and the holder of the port with
// the usual way to stop it.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/repair/firmware_lookup.h"
#include "app/repair/repair_texts.h"
#include "app/repair/start_facts.h"
#include "sys/text_encoding.h"
#include "tests/tftp/tftp_test_support.h"

namespace zapp::testing {
namespace {

using ztftp::testing::PatternBytes;
using ztftp::testing::ScratchFolder;

std::wstring Wide(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return zsys::Utf8ToWide(std::string(text.begin(), text.end()));
}

bool Has(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

TEST(NearName, OtherCaseDoubledExtensionAndBrowserCopiesButNothingElse) {
  for (const char* near : {"UpgradeImage.bin", "upgradeimage.BIN", "upgradeimage.bin.bin", "UPGRADEIMAGE.BIN.BIN.bin",
                           "upgradeimage (1).bin", "upgradeimage(12).bin", "UpgradeImage (2).BIN"}) {
    EXPECT_TRUE(IsNearName(near, "upgradeimage.bin")) << near;
  }
  for (const char* other : {"upgradeimage.bin", "upgradeimage", "upgradeimage.bin.txt", "upgradeimage.bin.crdownload",
                            "upgradeimage (x).bin", "upgradeimage ().bin", "upgradeimage  (1).bin",
                            "old-upgradeimage.bin", "upgradeimage.img", "firmware.bin", ".bin.bin"}) {
    EXPECT_FALSE(IsNearName(other, "upgradeimage.bin")) << other;
  }
}

TEST(FirmwareLookup, EachReasonOverRealFoldersAndTheFirstUsableFileWins) {
  ScratchFolder program, working;
  const std::vector<std::filesystem::path> both{program.path(), working.path()};

  FirmwareLookup lookup = LookUpFirmware(both);
  EXPECT_EQ(lookup.problem, FirmwareProblem::kNotFound);
  EXPECT_TRUE(lookup.nearName.empty());
  std::wstring line = FirmwareLine(lookup);
  EXPECT_TRUE(Has(line, L"未找到固件 upgradeimage.bin")) << zsys::WideToUtf8(line);
  EXPECT_TRUE(Has(line, Wide(program.path()) + L"、" + Wide(working.path()))) << "both folders, in order";

  // An empty file in the first folder, a good one in the second: the second serves.
  program.Write("upgradeimage.bin", {});
  working.Write("upgradeimage.bin", PatternBytes(2 * 1024 * 1024 + 100));
  lookup = LookUpFirmware(both);
  EXPECT_EQ(lookup.problem, FirmwareProblem::kNone);
  EXPECT_EQ(lookup.folder, working.path());
  EXPECT_EQ(lookup.size, 2 * 1024 * 1024 + 100);
  EXPECT_EQ(FirmwareLine(lookup), L"固件 upgradeimage.bin，2.0 MB，位于 " + Wide(working.path()));

  std::filesystem::remove(working.path() / "upgradeimage.bin");
  lookup = LookUpFirmware(both);
  EXPECT_EQ(lookup.problem, FirmwareProblem::kEmpty);
  EXPECT_EQ(lookup.folder, program.path());
  EXPECT_EQ(FirmwareFailureText(lookup),
            std::wstring(kFirmwareText) + L"\n固件 upgradeimage.bin 是空文件（0 字节），位于 " + Wide(program.path()));

  std::filesystem::remove(program.path() / "upgradeimage.bin");
  std::filesystem::create_directory(program.path() / "upgradeimage.bin");
  lookup = LookUpFirmware(both);
  EXPECT_EQ(lookup.problem, FirmwareProblem::kFolder);
  EXPECT_TRUE(Has(FirmwareLine(lookup), L"是一个文件夹"));
  std::filesystem::remove(program.path() / "upgradeimage.bin");

#ifndef _WIN32
  // A link whose target is gone cannot be served.
  std::filesystem::create_symlink(program.path() / "gone.bin", program.path() / "upgradeimage.bin");
  lookup = LookUpFirmware(both);
  EXPECT_EQ(lookup.problem, FirmwareProblem::kNotReadable);
  EXPECT_EQ(FirmwareLine(lookup), L"无法读取 upgradeimage.bin，位于 " + Wide(program.path()));
  std::filesystem::remove(program.path() / "upgradeimage.bin");
#endif

  // No folder that can be listed at all.
  lookup = LookUpFirmware({program.path() / "absent"});
  EXPECT_EQ(lookup.problem, FirmwareProblem::kNotReadable);
  EXPECT_EQ(lookup.folder, program.path() / "absent");
}

TEST(FirmwareLookup, ANearNameBesideItIsToldToBeRenamed) {
  for (const char* near : {"UpgradeImage.bin", "upgradeimage.bin.bin", "upgradeimage (1).bin"}) {
    ScratchFolder program, working;
    working.Write("notes.txt", PatternBytes(10));
    working.Write(near, PatternBytes(100));
    const FirmwareLookup lookup = LookUpFirmware({program.path(), working.path()});
    EXPECT_EQ(lookup.problem, FirmwareProblem::kNotFound) << near;
    EXPECT_EQ(lookup.nearName, working.path() / near);
    const std::wstring text = FirmwareFailureText(lookup);
    EXPECT_EQ(text.rfind(kFirmwareText, 0), 0u) << "the wording comes first, unchanged";
    EXPECT_TRUE(
        Has(text, Wide(working.path()) + L" 中有 " + zsys::Utf8ToWide(near) + L"：请将它改名为 upgradeimage.bin"))
        << zsys::WideToUtf8(text);
  }
}

TEST(FirmwareLookup, AnExplicitFileIsLookedAtWhateverItsName) {
  ScratchFolder folder;
  folder.Write("vombel-1.2.bin", PatternBytes(3000));
  FirmwareLookup lookup = LookUpFirmwareFile(folder.path() / "vombel-1.2.bin");
  EXPECT_EQ(lookup.problem, FirmwareProblem::kNone);
  EXPECT_EQ(FirmwareLine(lookup), L"固件 vombel-1.2.bin，3000 字节，位于 " + Wide(folder.path()));
  EXPECT_EQ(LookUpFirmwareFile(folder.path() / "missing.bin").problem, FirmwareProblem::kNotFound);
  EXPECT_EQ(LookUpFirmwareFile(folder.path()).problem, FirmwareProblem::kFolder);
}

TEST(PortHolderLine, NamesTheHolderAndTheUsualWayToStopIt) {
  EXPECT_EQ(PortBusyFailureText(69, {true, 812, "in.tftpd"}),
            std::wstring(kPortBusyText) +
                L"\n端口69正被 in.tftpd（进程号 812）占用。可用 sudo systemctl stop tftpd-hpa 停止它。");
  EXPECT_TRUE(Has(PortHolderLine(69, {true, 903, "dnsmasq"}), L"sudo systemctl stop dnsmasq"));
  EXPECT_EQ(PortHolderLine(69, {true, 4040, "tftpd64.exe"}),
            L"端口69正被 tftpd64.exe（进程号 4040）占用。它可能是另一个TFTP服务器，请先关闭它再重试。");
  EXPECT_EQ(PortHolderLine(69, {true, 4, ""}), L"端口69正被进程号 4 的程序占用，无法查看它的名称。");
  for (const PortHolder& unseen : {PortHolder{true, 0, ""}, PortHolder{false, 0, ""}}) {
    EXPECT_TRUE(Has(PortHolderLine(69, unseen), L"端口69已被占用，但无法查看占用它的程序"));
  }
}

}  // namespace
}  // namespace zapp::testing

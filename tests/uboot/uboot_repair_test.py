#!/usr/bin/env python3
"""A real boot loader repaired by zaviz-repair through the card, as a box is:
U-Boot under QEMU in a "device" namespace, its card on a tap device bridged
to the veth whose other end is the repair card in the "pc" namespace (see
tests/e2e/netns.py). U-Boot takes the box's address 192.168.1.1 and fetches
upgradeimage.bin from 192.168.1.2; zaviz-repair must say it saw the box and
the download start, finish with 0 and give the card back, and U-Boot's crc32
of the load must be the firmware's. Then the box looks for 192.168.0.66, as a
boot loader set up for another server does, and the status line names it.

  uboot_repair_test.py --program PATH-TO-zaviz-repair --artifacts DIR

Exit 77 (skipped) without root, QEMU, U-Boot or /dev/net/tun."""

import argparse
import os
import shutil
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
import uboot_session as uboot  # noqa: E402
from e2e_support import Workspace, check, support_log, verdict  # noqa: E402
from netns import REPAIR_ADDRESS, Namespaces, ip  # noqa: E402
from terminal_repair_e2e import FULL_RUN_SECONDS, REPAIRED_TEXT, WAITING_TEXT, Program  # noqa: E402

BOX_ADDRESS = "192.168.1.1"
FIRMWARE_SIZE = 1024 * 1024 + 333
STATUS = "状态："
BOX_SEEN = STATUS + "已收到Vombel（%s）的第一个数据包" % BOX_ADDRESS
STARTED = STATUS + "Vombel（%s）开始下载固件" % BOX_ADDRESS
OTHER_SERVER = STATUS + "Vombel在寻找服务器地址192.168.0.66，不是本机的192.168.1.2"
TAP = "ztap0"
BRIDGE = "zbr0"


class DeviceNamespace:
    """The device namespace's veth end and a tap device for QEMU in one
    bridge, so the guest's frames reach the repair card unchanged."""

    def __init__(self, ns):
        self.ns = ns

    def __enter__(self):
        dev = self.ns.device
        ip("-n", dev, "addr", "flush", "dev", self.ns.peer)  # the guest is the box now
        ip("-n", dev, "link", "add", BRIDGE, "type", "bridge")
        ip("-n", dev, "tuntap", "add", "dev", TAP, "mode", "tap")
        for port in (self.ns.peer, TAP):
            ip("-n", dev, "link", "set", port, "master", BRIDGE)
        for link in (TAP, BRIDGE):
            ip("-n", dev, "link", "set", link, "up")
        return self

    def __exit__(self, *exc):
        pass  # the links go with the namespace


class GuestNamespace:
    """What uboot.UBoot needs of a namespace: the device namespace."""

    def __init__(self, ns):
        self.ns = ns

    def command(self, argv):
        return self.ns.in_device(list(argv))


def repair_through_the_card(args, ns, ws, work):
    p = Program(args, ns, ws, ["--yes"])
    try:
        p.saw(WAITING_TEXT)
        check(REPAIR_ADDRESS + "/24" in ns.card_addresses(), "the card did not get the repair address")
        with uboot.UBoot(GuestNamespace(ns), os.path.join(work, "console.txt"), tap=TAP) as console:
            banner = console.stop_autoboot(limit=60)
            check("U-Boot" in banner, "no U-Boot banner: %r" % banner[-300:])
            console.run("setenv ipaddr %s; setenv netmask 255.255.255.0; setenv serverip %s"
                        % (BOX_ADDRESS, REPAIR_ADDRESS))
            fetched = uboot.fetch(console, "upgradeimage.bin", limit=90, server=REPAIR_ADDRESS)
            check(fetched.size == FIRMWARE_SIZE, "U-Boot loaded %s bytes: %s" % (fetched.size, fetched.output))
            loaded = uboot.crc32_of_load(console, fetched.size)
            check(loaded == zlib.crc32(ws.content), "U-Boot's crc32 %08x is not the firmware's %08x"
                  % (loaded, zlib.crc32(ws.content)))
            p.saw(BOX_SEEN)
            p.saw(STARTED)
            print("ok    U-Boot loaded %d bytes, crc32 %08x, in %.1f s" % (fetched.size, loaded, fetched.seconds))
            # A box set up for another server asks the wire for it, and never gets an answer.
            console.run("setenv netretry no; setenv ipaddr 192.168.0.1; setenv serverip 192.168.0.66")
            console.begin("tftpboot 0x%x upgradeimage.bin" % uboot.LOAD_ADDRESS)
            p.saw(OTHER_SERVER, 15)
            console.interrupt()
            print("ok    the ARP for 192.168.0.66 was named")
        code = p.finish(FULL_RUN_SECONDS)
        check(code == 0, "the repair ended with %s: %s" % (code, p.output()))
        check(REPAIRED_TEXT in p.text(), "no closing line: " + p.output())
        check(p.text().index(BOX_SEEN) < p.text().index(STARTED) < p.text().index(OTHER_SERVER),
              "the status lines are out of order: " + p.output())
        _, log = support_log(ws)
        # U-Boot asks for 1468-byte blocks.
        done = "done: %d blocks, %d bytes, 0 resends" % (FIRMWARE_SIZE // 1468 + 1, FIRMWARE_SIZE)
        for part in ("read request from %s:" % BOX_ADDRESS, done, "end: finished"):
            check(part in log, "the support log lacks %r:\n%s" % (part, log))
    finally:
        p.stop()
        transcript = os.path.join(work, "console.txt")
        if os.path.exists(transcript):
            shutil.copy(transcript, os.path.join(args.artifacts, "repair-console.txt"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--artifacts", required=True)
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    missing = uboot.missing_prerequisites()
    if missing is None and not os.path.exists("/dev/net/tun"):
        missing = "needs /dev/net/tun for the guest's tap device"
    if missing:
        print("SKIP: U-Boot under QEMU %s" % missing)
        return 77
    os.makedirs(args.artifacts, exist_ok=True)

    def case():
        with tempfile.TemporaryDirectory() as work, Namespaces("ubrep") as ns, DeviceNamespace(ns):
            ws = Workspace(work, FIRMWARE_SIZE)
            before = ns.card_addresses()
            repair_through_the_card(args, ns, ws, work)
            after = ns.card_addresses()
            check(after == before, "the card's addresses are %s, before the repair %s" % (after, before))

    try:
        return verdict(case)
    except uboot.ConsoleTimeout as e:
        print("FAILED:", e)
        return 1


if __name__ == "__main__":
    sys.exit(main())

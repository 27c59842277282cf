#!/usr/bin/env python3
"""What zaviz-repair says the box is doing, with the card in a "pc" network
namespace and a scripted box in a "device" namespace (see netns.py): the
cable unplugged at the start and plugged in, flapping, a request for a name
that is not served, a box that stops acknowledging at block 100 until the
server gives it up, and a box that asks for the image again after the
download. Each case checks the status lines on the output and that the card
gets its addresses back.

usage: diagnosis_e2e.py --program PATH CASE   (as root)
"""

import argparse
import os
import signal
import socket
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_support import check, run, run_case, support_log  # noqa: E402
from netns import REPAIR_ADDRESS, DEVICE_ADDRESS, ip  # noqa: E402
from terminal_repair_e2e import FULL_RUN_SECONDS, UPDATING_TEXT, WAITING_TEXT, Program, fetch, prepared  # noqa: E402

STATUS = "状态："
LINK_DOWN = STATUS + "网线未连接或链路断开：请将网线插到Vombel的任一LAN口"
LINK_UP = STATUS + "网线已连接，正在等待Vombel的请求"
UNKNOWN_NAME = STATUS + "Vombel请求的文件“u-boot.img”不存在，本工具只提供upgradeimage.bin"
STARTED = STATUS + "Vombel（%s）开始下载固件" % DEVICE_ADDRESS
SILENT = STATUS + "Vombel已6秒没有确认收到的数据，请检查网线和Vombel的电源"
BOX_SEEN = STATUS + "已收到Vombel（192.168.0.1）的第一个数据包"
OTHER_SERVER = STATUS + "Vombel在寻找服务器地址192.168.0.66，不是本机的192.168.1.2"
NO_CAPTURE = STATUS + "没有抓包权限（cap_net_raw），看不到Vombel的ARP请求"
GIVEN_UP = STATUS + "Vombel长时间没有应答，文件服务器已放弃本次传输，请重新上电重试"
GIVE_UP_TIMEOUT = 2  # seconds, the stopping box's timeout option
ASKED_AGAIN = "Vombel在更新阶段再次请求固件：它没有接受这个固件，修复未成功"


# --- The box's side, run inside the device namespace --------------------------------------------


def box_request(name):
    """One read request; prints the server's answer's opcode."""
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.settimeout(5.0)
    sock.sendto(b"\x00\x01" + name.encode() + b"\x00octet\x00", (REPAIR_ADDRESS, 69))
    packet, _ = sock.recvfrom(2048)
    return 0 if len(packet) >= 2 else 1


def box_stopping_at(last_block, timeout_seconds):
    """Fetches the image in lock-step, acknowledges up to `last_block`, then falls silent.
    It asks for a short retransmission timeout, so the server gives it up soon."""
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.settimeout(5.0)
    request = b"\x00\x01upgradeimage.bin\x00octet\x00timeout\x00%d\x00" % timeout_seconds
    sock.sendto(request, (REPAIR_ADDRESS, 69))
    while True:
        packet, peer = sock.recvfrom(2048)
        opcode, block = struct.unpack("!HH", packet[:4])
        if opcode == 6:  # the OACK: block 0 acknowledges it
            sock.sendto(struct.pack("!HH", 4, 0), peer)
            continue
        if opcode != 3:
            return 1
        sock.sendto(struct.pack("!HH", 4, block), peer)
        if block == last_block:
            return 0


def box_arp(interface, sender, target, count):
    """ARP requests "who has `target`, tell `sender`" once a second, as a boot loader looking for its server."""
    sock = socket.socket(socket.AF_PACKET, socket.SOCK_RAW)
    sock.bind((interface, 0))
    mac = sock.getsockname()[4]
    frame = (b"\xff" * 6 + mac + b"\x08\x06" + struct.pack("!HHBBH", 1, 0x0800, 6, 4, 1) + mac +
             socket.inet_aton(sender) + b"\x00" * 6 + socket.inet_aton(target))
    for _ in range(count):
        sock.send(frame)
        time.sleep(1.0)
    return 0


def in_box(ns, *args):
    return ns.in_device([sys.executable, os.path.abspath(__file__), "--box"] + [str(a) for a in args])


def set_peer(ns, state):
    ip("-n", ns.device, "link", "set", ns.peer, state)


# --- Cases ---------------------------------------------------------------------------------------


def case_cable_down_then_up_another_name_and_a_box_that_stops_at_block_100(args):
    def body(ns, ws):
        set_peer(ns, "down")  # the card has no carrier: as an unplugged cable
        p = Program(args, ns, ws, ["--yes"])
        try:
            p.saw(WAITING_TEXT)
            p.saw(LINK_DOWN)
            set_peer(ns, "up")
            p.saw(LINK_UP)
            # The link flapping while waiting: each change is said again. The
            # kernel reports a veth's carrier at most once a second, so the
            # link stays down long enough to be seen.
            set_peer(ns, "down")
            wait_count(p, LINK_DOWN, 2)
            set_peer(ns, "up")
            wait_count(p, LINK_UP, 2)
            r = run(in_box(ns, "request", "u-boot.img"), timeout=30)
            check(r.returncode == 0, "the box got no answer: %s%s" % (r.stdout, r.stderr))
            p.saw(UNKNOWN_NAME)
            r = run(in_box(ns, "stop-at", 100, GIVE_UP_TIMEOUT), timeout=60)
            check(r.returncode == 0, "the stopping box failed: %s%s" % (r.stdout, r.stderr))
            p.saw(STARTED)
            before = time.monotonic()
            p.saw(SILENT, 15)
            waited = time.monotonic() - before
            check(waited > 4.0, "the silence was called after %.1f s" % waited)
            # The server drops the silent box after 6 of its timeouts (12 s with
            # 2 s), well before the 30 s of the default timeout.
            p.saw(GIVEN_UP, 15)
            waited = time.monotonic() - before
            check(9.0 < waited < 20.0, "the server gave the box up after %.1f s" % waited)
            check(p.text().index(SILENT) < p.text().index(GIVEN_UP), "given up before silent: " + p.output())
            p.proc.send_signal(signal.SIGINT)
            check(p.finish(20) == 1, "SIGINT did not end the repair with 1: " + p.output())
            check(REPAIR_ADDRESS + "/24" not in ns.card_addresses(), "the repair address stayed")
            _, log = support_log(ws)
            # 100 blocks acknowledged and the 101st sent, never acknowledged.
            check("given up, the peer fell silent: 101 blocks, 51712 bytes" in log,
                  "the log lacks the given-up transfer:\n" + log)
        finally:
            p.stop()
    prepared("dlink", body)


def case_a_box_that_asks_again_after_the_download_exits_1(args):
    def body(ns, ws):
        p = Program(args, ns, ws, ["--yes"])
        try:
            p.saw(WAITING_TEXT)
            fetch(ns, ws, "curl")
            p.saw(UPDATING_TEXT)
            r = run(in_box(ns, "request", "upgradeimage.bin"), timeout=30)
            check(r.returncode == 0, "the second request got no answer: %s%s" % (r.stdout, r.stderr))
            p.saw(STATUS + ASKED_AGAIN)
            code = p.finish(FULL_RUN_SECONDS)
            check(code == 1, "the repair the box did not take ended with %s: %s" % (code, p.output()))
            check(p.errors().startswith("zaviz-repair: %s\nzaviz-repair: 修复日志：" % ASKED_AGAIN),
                  "not the reason and the log's place on standard error: " + p.errors())
            check("repaired" not in p.text(), "it still said repaired: " + p.output())
        finally:
            p.stop()
    prepared("dagain", body)


def case_arp_for_192_168_0_66_names_the_address_and_without_cap_net_raw_says_so(args):
    def body(ns, ws):
        p = Program(args, ns, ws, ["--yes"])
        try:
            p.saw(WAITING_TEXT)
            r = run(in_box(ns, "arp", ns.peer, "192.168.0.1", "192.168.0.66", 3), timeout=30)
            check(r.returncode == 0, "the ARPing box failed: %s%s" % (r.stdout, r.stderr))
            p.saw(BOX_SEEN)
            p.saw(OTHER_SERVER)
            check(p.text().count(OTHER_SERVER) == 1, "the same request said more than once: " + p.output())
            check(NO_CAPTURE not in p.text(), "root was told it cannot capture")
            p.proc.send_signal(signal.SIGTERM)
            check(p.finish(20) == 1, "SIGTERM did not end the repair with 1: " + p.output())
        finally:
            p.stop()
        # Without CAP_NET_RAW (as an installation without it): the line says which part cannot be seen.
        p = Program(args, ns, ws, ["--yes"], wrapper=["setpriv", "--bounding-set=-net_raw", "--"])
        try:
            p.saw(WAITING_TEXT)
            p.saw(NO_CAPTURE)
            run(in_box(ns, "arp", ns.peer, "192.168.0.1", "192.168.0.66", 2), timeout=30)
            r = run(in_box(ns, "request", "u-boot.img"), timeout=30)
            check(r.returncode == 0, "the box got no answer: %s%s" % (r.stdout, r.stderr))
            p.saw(UNKNOWN_NAME)  # the server's own findings still come
            check(OTHER_SERVER not in p.text(), "an ARP was seen without the capability")
            p.proc.send_signal(signal.SIGTERM)
            check(p.finish(20) == 1, "SIGTERM did not end the repair with 1: " + p.output())
        finally:
            p.stop()
    prepared("darp", body)


def wait_count(p, text, count, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if p.text().count(text) >= count:
            return
        time.sleep(0.1)
    check(False, "%r not %d times on the output: %s" % (text, count, p.output()))


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "--box":
        if sys.argv[2] == "request":
            return box_request(sys.argv[3])
        if sys.argv[2] == "arp":
            return box_arp(sys.argv[3], sys.argv[4], sys.argv[5], int(sys.argv[6]))
        return box_stopping_at(int(sys.argv[3]), int(sys.argv[4]))
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("case")
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    return run_case(args, globals(), "the diagnosis test")


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""A real boot loader fetches from zaviz-tftpd: U-Boot boots under QEMU in a
namespace of its own, the autoboot is interrupted, `tftpboot` loads a file
from our server and U-Boot's `crc32` of what it loaded must be the file's.

  uboot_tftpboot_test.py --server PATH-TO-zaviz-tftpd --artifacts DIR CASE

Exit 77 (skipped) without root or without QEMU and U-Boot."""

import argparse
import os
import re
import shutil
import sys
import tempfile
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import uboot_session as uboot  # noqa: E402

class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def random_file(root, name, size):
    with open(os.path.join(root, name), "wb") as f:
        f.write(os.urandom(size))
    return name


def file_crc(root, name):
    with open(os.path.join(root, name), "rb") as f:
        return zlib.crc32(f.read())


def fetch_and_check_crc(console, root, name, limit=120.0):
    """tftpboot NAME, then U-Boot's crc32 over what it loaded against the file's."""
    fetched = uboot.fetch(console, name, limit)
    check_load(console, root, name, fetched)
    return fetched


def check_load(console, root, name, fetched):
    expected_size = os.path.getsize(os.path.join(root, name))
    check(fetched.size == expected_size,
          "tftpboot %s loaded %s bytes, the file has %d: %s" % (name, fetched.size, expected_size, fetched.output))
    loaded, served = uboot.crc32_of_load(console, fetched.size), file_crc(root, name)
    check(loaded == served, "U-Boot's crc32 of %s is %08x, the file's is %08x" % (name, loaded, served))
    print("ok    %s: %d bytes, crc32 %08x, %.2f MiB/s by U-Boot" % (name, fetched.size, loaded,
                                                                  fetched.uboot_mib_s or 0.0))


class Loss:
    """Which packets the relay in front of the server loses (lossy_relay.py)."""

    def __init__(self, data_every, ack_every):
        self.data_every = data_every
        self.ack_every = ack_every


SERVER_PORT_BEHIND_RELAY = 6969


class Scene:
    """A namespace with our server on port 69 (or behind a lossy relay there)
    and one booted U-Boot, stopped at its prompt."""

    def __init__(self, args, case, loss=None, data_loss_every=None):
        self.args = args
        self.case = case
        self.loss = loss
        self.data_loss_every = data_loss_every
        self.data_loss = None
        self.work = tempfile.mkdtemp(prefix="zaviz-uboot-")
        self.root = os.path.join(self.work, "root")
        os.mkdir(self.root)
        self.capture = os.path.join(self.work, "guest.pcap")
        self.relay = None
        self.stack = []

    def __enter__(self):
        try:
            namespace = self._enter(uboot.Namespace(self.case))
            self._start_server(namespace)
            if self.data_loss_every:
                self.data_loss = self._enter(uboot.DataLoss(namespace, self.data_loss_every))
            self.console = self._enter(uboot.UBoot(namespace, os.path.join(self.work, "console.txt"),
                                                   capture=self.capture))
            banner = self.console.stop_autoboot()
            check("U-Boot" in banner, "no U-Boot banner before the autoboot prompt: %r" % banner[-300:])
            self.console.set_network()
        except BaseException:
            self.__exit__(*sys.exc_info())
            raise
        return self

    def _start_server(self, namespace):
        log = os.path.join(self.work, "server.log")
        if self.loss is None:
            self.server = self._enter(uboot.zaviz_server(namespace, self.args.server, self.root, log))
            return
        self.server = self._enter(uboot.zaviz_server(namespace, self.args.server, self.root, log,
                                                     port=SERVER_PORT_BEHIND_RELAY))
        self.relay = self._enter(uboot.lossy_relay(namespace, SERVER_PORT_BEHIND_RELAY, self.loss.data_every,
                                                   self.loss.ack_every, os.path.join(self.work, "relay.log")))

    def _enter(self, resource):
        value = resource.__enter__()
        self.stack.append(resource)
        return value

    def __exit__(self, exc_type, *rest):
        while self.stack:
            self.stack.pop().__exit__(exc_type, *rest)
        self._keep_artifacts()
        shutil.rmtree(self.work, ignore_errors=True)
        if exc_type is None:
            # A crash or a sanitizer's report at exit shows here.
            check(self.server.exit_status() == 0, "zaviz-tftpd ended with status %s: %s"
                  % (self.server.exit_status(), self.server_log[-2000:]))

    def _keep_artifacts(self):
        target = os.path.join(self.args.artifacts, self.case)
        os.makedirs(target, exist_ok=True)
        for name in ("console.txt", "server.log", "relay.log"):
            source = os.path.join(self.work, name)
            if os.path.exists(source):
                shutil.copy(source, target)
        self.server_log = self.server.log() if hasattr(self, "server") else ""
        self.relay_log = self.relay.log() if self.relay else ""

    def negotiated(self):
        """(requests, OACKs) that passed the guest's card, as option maps."""
        return uboot.captured_options(self.capture)

    def dropped(self):
        """(DATA, ACK) packets the relay lost; only known once the scene has ended."""
        m = re.search(r"dropped (\d+) DATA (\d+) ACK", self.relay_log)
        check(m, "the relay did not say what it dropped: %r" % self.relay_log)
        return int(m.group(1)), int(m.group(2))


def case_lockstep_at_the_default_block_size(args):
    with Scene(args, "lockstep") as scene:
        name = random_file(scene.root, "image.bin", 1024 * 1024 + 333)
        fetch_and_check_crc(scene.console, scene.root, name)

        requests, oacks = scene.negotiated()
        check(requests and "windowsize" not in requests[0] and "blksize" in requests[0],
              "U-Boot should ask its block size and no window by default: %s" % requests)
        check(oacks and oacks[0].get("blksize") == requests[0]["blksize"] and "windowsize" not in oacks[0],
              "the OACK should grant the block size asked and no window: %s for %s" % (oacks, requests))

        # A name that is not there ends in our error, and U-Boot says so.
        output = scene.console.run("tftpboot 0x%x %s:missing.bin" % (uboot.LOAD_ADDRESS, uboot.SERVER_FROM_GUEST),
                                   limit=60)
        check("file not exist!" in output and "Bytes transferred" not in output,
              "a missing file did not end in the server's error: %s" % output)
        print("ok    missing.bin: U-Boot reports the server's error")


def check_window_granted(scene, blocks, block_size):
    """Every request asked this window and block size, and every OACK granted both."""
    asked = {"windowsize": str(blocks), "blksize": str(block_size)}
    requests, oacks = scene.negotiated()
    check(requests and all(all(r.get(k) == v for k, v in asked.items()) for r in requests),
          "U-Boot did not ask %s: %s" % (asked, requests))
    check(len(oacks) == len(requests) and all(all(o.get(k) == v for k, v in asked.items()) for o in oacks),
          "the OACKs should grant %s: %s" % (asked, oacks))
    print("ok    %d OACKs granted windowsize %d, blksize %d" % (len(oacks), blocks, block_size))


def case_windowsize_8(args):
    with Scene(args, "window8") as scene:
        block = 1468
        scene.console.set_window(8)
        scene.console.set_block_size(block)
        # One ends inside a window; one ends on a window's last block, so the
        # empty closing block opens a window of its own.
        inside = random_file(scene.root, "inside.bin", 1024 * 1024 + 333)
        on_edge = random_file(scene.root, "edge.bin", block * 8 * 90)
        fetch_and_check_crc(scene.console, scene.root, inside)
        fetch_and_check_crc(scene.console, scene.root, on_edge)
        check_window_granted(scene, 8, block)


def case_windowsize_8_past_block_65535(args):
    with Scene(args, "window8_wrap") as scene:
        scene.console.set_window(8)
        scene.console.set_block_size(512)
        # 512-byte blocks: 33 MiB and a little are 67,585 blocks, so the
        # block number passes 65535 and starts again at 0.
        name = random_file(scene.root, "large.bin", 33 * 1024 * 1024 + 100)
        fetch_and_check_crc(scene.console, scene.root, name, limit=150)
        check_window_granted(scene, 8, 512)


def fetch_through_loss(args, case, window, loss, size):
    scene = Scene(args, case, loss)
    with scene:
        # U-Boot's shortest wait before it repeats its ACK; it asks the server for the same.
        scene.console.run("setenv tftptimeout 1000")
        if window:
            scene.console.set_window(window)
        name = random_file(scene.root, "image.bin", size)
        fetch_and_check_crc(scene.console, scene.root, name, limit=120)
    data, acks = scene.dropped()
    check(data > 0 and acks > 0, "the relay lost %d DATA and %d ACK packets: the case proves nothing" % (data, acks))
    print("ok    made good %d lost DATA and %d lost ACK packets" % (data, acks))


def case_lockstep_through_lost_packets(args):
    # 256 KiB in 1468-byte blocks: 179 blocks; block 89 and the short last one,
    # 179, are lost once, and two ACKs. Each loss costs U-Boot a timeout.
    fetch_through_loss(args, "lockstep_loss", None, Loss(data_every=90, ack_every=80), 256 * 1024)


def case_windowsize_8_through_lost_packets(args):
    # 739 blocks of 1468 bytes, the last one short: one block in 37 is lost
    # once, the last one among them, and one ACK in 20 (of about 93 and the repeats).
    fetch_through_loss(args, "window8_loss", 8, Loss(data_every=37, ack_every=20), 738 * 1468 + 1000)


# These two pass only with a server that resends a lost block on a timer of
# its own, well before U-Boot's 5-second timeout: a server that waits for the
# repeated ACK costs U-Boot one timeout per loss, and U-Boot gives up after ten.
LOSSY_IMAGE_SIZE = 4 * 1024 * 1024
DATA_LOST_EVERY = 40


def uboot_timeouts(output):
    """The "T" marks U-Boot prints among its progress marks, one per timeout."""
    marks = output.split("Loading:", 1)[-1].split("Bytes transferred", 1)[0]
    return marks.count("T")


def fetch_every_40th_data_lost(args, case, window):
    with Scene(args, case, data_loss_every=DATA_LOST_EVERY) as scene:
        scene.console.set_block_size(1468)  # and U-Boot's own timeout, 5 s
        if window:
            scene.console.set_window(window)
        name = random_file(scene.root, "image.bin", LOSSY_IMAGE_SIZE)
        fetched = uboot.fetch(scene.console, name, limit=180)
        lost = scene.data_loss.dropped()
        timeouts = uboot_timeouts(fetched.output)
        check(timeouts == 0, "U-Boot timed out %d times with %d DATA lost (%.1f s): %s"
              % (timeouts, lost, fetched.seconds, fetched.output[-600:]))
        check_load(scene.console, scene.root, name, fetched)
        blocks = LOSSY_IMAGE_SIZE // 1468 + 1
        check(lost >= blocks // DATA_LOST_EVERY,
              "only %d DATA were lost of %d blocks: the case proves nothing" % (lost, blocks))
        print("ok    %d DATA lost, no U-Boot timeout, %.1f s" % (lost, fetched.seconds))


def case_lockstep_every_40th_data_lost_without_timeouts(args):
    fetch_every_40th_data_lost(args, "lockstep_every40", None)


def case_windowsize_8_every_40th_data_lost_without_timeouts(args):
    fetch_every_40th_data_lost(args, "window8_every40", 8)


CASES = {
    "lockstep_every_40th_data_lost_without_timeouts": case_lockstep_every_40th_data_lost_without_timeouts,
    "windowsize_8_every_40th_data_lost_without_timeouts": case_windowsize_8_every_40th_data_lost_without_timeouts,
    "lockstep_through_lost_packets": case_lockstep_through_lost_packets,
    "windowsize_8_through_lost_packets": case_windowsize_8_through_lost_packets,
    "lockstep_at_the_default_block_size": case_lockstep_at_the_default_block_size,
    "windowsize_8": case_windowsize_8,
    "windowsize_8_past_block_65535": case_windowsize_8_past_block_65535,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--server", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("case", choices=sorted(CASES))
    args = parser.parse_args()
    missing = uboot.missing_prerequisites()
    if missing:
        print("SKIP: U-Boot under QEMU %s" % missing)
        return 77
    if "data_lost" in args.case and shutil.which("nft") is None:
        print("SKIP: nft is not installed (nftables, scripts/setup-deps)")
        return 77
    os.makedirs(args.artifacts, exist_ok=True)
    try:
        CASES[args.case](args)
    except (Failure, uboot.ConsoleTimeout) as e:
        print("FAILED:", e)
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())

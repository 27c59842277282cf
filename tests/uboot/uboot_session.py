"""A real boot loader as a TFTP client: Debian's U-Boot for the ARM "virt"
board under QEMU, with QEMU's user-mode network. The guest is 10.0.2.15 with
QEMU's virtual router 10.0.2.2 as its gateway. The router answers TFTP to
its own address itself (and refuses every name), so the guest asks the
server at 127.0.0.1 through the gateway, which QEMU relays to the loopback
it runs on. This U-Boot asks port 69 only, so everything runs inside a
network namespace made here: port 69 and the loopback are private to it,
and nothing outside is touched.

The console is QEMU's serial port on our pipes: the driver waits for the
autoboot countdown, stops it with a key, and then types commands at the
"=> " prompt, reading each command's output up to the next prompt."""

import os
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from netns import ip  # noqa: E402

UBOOT_BIN = "/usr/lib/u-boot/qemu_arm/u-boot.bin"
QEMU = "qemu-system-arm"
GUEST_ADDRESS = "10.0.2.15"
GATEWAY = "10.0.2.2"
SERVER_FROM_GUEST = "127.0.0.1"
LOAD_ADDRESS = 0x40200000
PROMPT = b"\n=> "


class Skip(Exception):
    """What the machine lacks to run U-Boot here (the caller exits with 77)."""


def missing_prerequisites():
    """None when this machine can boot U-Boot in a namespace, else why not."""
    if os.geteuid() != 0:
        return "needs root for ip netns"
    for tool in (QEMU, "ip"):
        if shutil.which(tool) is None:
            return "%s is not installed (scripts/setup-deps)" % tool
    if not os.path.exists(UBOOT_BIN):
        return "%s is missing (u-boot-qemu, scripts/setup-deps)" % UBOOT_BIN
    return None


class Namespace:
    """One network namespace with only its loopback up; always deleted."""

    def __init__(self, tag):
        self.name = "zaviz-uboot-%s-%d" % (tag, os.getpid())

    def __enter__(self):
        ip("netns", "add", self.name)
        try:
            ip("-n", self.name, "link", "set", "lo", "up")
        except Exception:
            ip("netns", "del", self.name, check=False)
            raise
        return self

    def __exit__(self, *exc):
        ip("netns", "del", self.name, check=False)

    def command(self, argv):
        return ["ip", "netns", "exec", self.name] + list(argv)


# Nothing this module starts outlives this, even if its caller is killed.
LIFETIME_SECONDS = 600


def bounded(argv, lifetime=LIFETIME_SECONDS):
    """argv under coreutils' timeout: TERM at the end of its lifetime, KILL 5 s later.
    timeout hands our TERM on to the program and returns the program's status."""
    return ["timeout", "-k", "5", str(lifetime)] + list(argv)


def stop_process(proc, grace=5.0):
    """Ends a process this module started, by its PID: TERM, then KILL."""
    if proc is None or proc.poll() is not None:
        return
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait(timeout=grace)


class UdpService:
    """A program in the namespace that serves a UDP port of its loopback: a
    TFTP server, or the lossy relay in front of one."""

    def __init__(self, namespace, argv, log_path, port):
        self.namespace = namespace
        self.argv = argv
        self.log_path = log_path
        self.port = port
        self.proc = None

    def __enter__(self):
        log = open(self.log_path, "wb")
        self.proc = subprocess.Popen(self.namespace.command(bounded(self.argv)), stdout=log,
                                     stderr=subprocess.STDOUT)
        log.close()
        self._wait_until_bound()
        return self

    def _wait_until_bound(self, limit=5.0):
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline:
            if self.proc.poll() is not None:
                raise RuntimeError("%s exited at start: %s" % (self.argv[0], self.log()))
            r = subprocess.run(self.namespace.command(["ss", "-Hlun", "sport", "= :%d" % self.port]),
                               capture_output=True, text=True, timeout=10)
            if r.stdout.strip():
                return
            time.sleep(0.05)
        raise RuntimeError("%s did not bind port %d: %s" % (self.argv[0], self.port, self.log()))

    def __exit__(self, *exc):
        stop_process(self.proc)

    def exit_status(self):
        return self.proc.returncode

    def log(self):
        try:
            with open(self.log_path, "rb") as f:
                return f.read().decode("utf-8", "replace")
        except OSError:
            return ""


def zaviz_server(namespace, program, root, log_path, port=69, bind="127.0.0.1"):
    return UdpService(namespace, [program, "--bind", bind, "--port", str(port), "--root", root],
                      log_path, port)


def hpa_server(namespace, program, root, log_path):
    # -L: stay in the foreground; it drops to its own user, so the root must be readable.
    # It looks its address up with AI_ADDRCONFIG, which finds no 127.0.0.1 in a
    # namespace that has only a loopback: so it takes every address of the namespace.
    return UdpService(namespace, [program, "-L", "-4", "-a", ":69", "-s", root], log_path, 69)


def lossy_relay(namespace, server_port, data_every, ack_every, log_path, lifetime=LIFETIME_SECONDS):
    """Port 69 of the namespace, relayed to the server at server_port, losing
    packets as lossy_relay.py describes."""
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lossy_relay.py")
    argv = [sys.executable, script, "--listen", "69", "--server", str(server_port),
            "--data-every", str(data_every), "--ack-every", str(ack_every), "--lifetime", str(lifetime)]
    return UdpService(namespace, argv, log_path, 69)


class DataLoss:
    """nftables in the namespace loses every `every`-th TFTP DATA datagram
    that leaves UDP port `port` (opcode 3 in the first two payload bytes),
    repeats included, on its way to the client. It drops on the input side:
    a drop on output would fail the server's send with EPERM, which a lost
    packet never does. The table lives and dies with the namespace."""

    TABLE = "zaviz_data_loss"

    def __init__(self, namespace, every, port=69):
        self.namespace = namespace
        self.every = every
        self.port = port

    def __enter__(self):
        rules = ("table inet %s {\n"
                 "  chain into_client {\n"
                 "    type filter hook input priority 0; policy accept;\n"
                 "    udp sport %d @th,64,16 3 numgen inc mod %d %d counter drop\n"
                 "  }\n"
                 "}\n" % (self.TABLE, self.port, self.every, self.every - 1))
        r = subprocess.run(self.namespace.command(["nft", "-f", "-"]), input=rules, capture_output=True,
                           text=True, timeout=10)
        if r.returncode != 0:
            raise RuntimeError("nft refused the loss rule: %s" % r.stderr.strip())
        return self

    def __exit__(self, *exc):
        subprocess.run(self.namespace.command(["nft", "delete", "table", "inet", self.TABLE]),
                       capture_output=True, timeout=10)

    def dropped(self):
        """DATA datagrams lost so far."""
        r = subprocess.run(self.namespace.command(["nft", "list", "table", "inet", self.TABLE]),
                           capture_output=True, text=True, timeout=10)
        m = re.search(r"counter packets (\d+)", r.stdout)
        if not m:
            raise RuntimeError("no loss counter in: %r" % (r.stdout + r.stderr))
        return int(m.group(1))


class ConsoleTimeout(Exception):
    pass


class UBoot:
    """U-Boot under QEMU in the namespace, driven over its serial console.

    capture: a file for QEMU's dump of every frame of the guest's network card
    (pcap), or None. tap: the name of a tap device in the namespace that the
    guest's card is plugged into, instead of QEMU's user-mode network."""

    def __init__(self, namespace, transcript_path, capture=None, memory_mb=256, tap=None):
        self.namespace = namespace
        self.transcript_path = transcript_path
        self.capture = capture
        self.memory_mb = memory_mb
        self.netdev = "tap,id=n0,ifname=%s,script=no,downscript=no" % tap if tap else "user,id=n0"
        self.proc = None
        self.pending = b""
        self.transcript = b""

    def __enter__(self):
        argv = [QEMU, "-M", "virt", "-m", str(self.memory_mb), "-bios", UBOOT_BIN,
                "-display", "none", "-serial", "stdio", "-monitor", "none", "-no-reboot",
                "-netdev", self.netdev, "-device", "virtio-net-device,netdev=n0"]
        if self.capture:
            argv += ["-object", "filter-dump,id=d0,netdev=n0,file=%s" % self.capture]
        self.proc = subprocess.Popen(self.namespace.command(bounded(argv)), stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        return self

    def __exit__(self, *exc):
        try:
            if self.proc.poll() is None:
                self.proc.stdin.write(b"poweroff\n")
                self.proc.stdin.flush()
                self.proc.wait(timeout=5)
        except (OSError, subprocess.TimeoutExpired):
            pass
        stop_process(self.proc)
        with open(self.transcript_path, "ab") as f:
            f.write(self.transcript + self.pending)

    def _read_until(self, marker, limit):
        """Console bytes up to and including marker; raises after limit seconds."""
        deadline = time.monotonic() + limit
        out = self.proc.stdout.fileno()
        while marker not in self.pending:
            left = deadline - time.monotonic()
            if left <= 0:
                raise ConsoleTimeout("no %r within %.0f s; console ended with: %r"
                                     % (marker, limit, self.pending[-400:]))
            ready, _, _ = select.select([out], [], [], min(left, 0.5))
            if ready:
                chunk = os.read(out, 65536)
                if not chunk:
                    raise ConsoleTimeout("QEMU closed the console; last output: %r" % self.pending[-400:])
                self.pending += chunk
        end = self.pending.index(marker) + len(marker)
        text, self.pending = self.pending[:end], self.pending[end:]
        self.transcript += text
        return text

    def _type(self, line):
        self.proc.stdin.write(line.encode() + b"\n")
        self.proc.stdin.flush()

    def stop_autoboot(self, limit=20.0):
        """Waits for the countdown and stops it; returns the boot banner."""
        banner = self._read_until(b"Hit any key to stop autoboot", limit)
        self._type("")
        self._read_until(PROMPT, limit)
        return banner.decode("utf-8", "replace")

    def begin(self, command):
        """Types a command that does not end by itself soon (see interrupt)."""
        self._type(command)

    def interrupt(self, limit=10.0):
        """Ctrl-C, as a person stops a command that waits; returns its output up to the prompt."""
        self.proc.stdin.write(b"\x03")
        self.proc.stdin.flush()
        return self._read_until(PROMPT, limit).decode("utf-8", "replace")

    def run(self, command, limit=30.0):
        """Types one command at the prompt; returns its output (without the echo)."""
        self._type(command)
        text = self._read_until(PROMPT, limit).decode("utf-8", "replace")
        text = text[: -len(PROMPT)]
        first_line_end = text.find("\n")
        return text[first_line_end + 1:] if first_line_end >= 0 else ""

    def set_network(self, server=SERVER_FROM_GUEST):
        self.run("setenv ipaddr %s; setenv netmask 255.255.255.0; setenv gatewayip %s; setenv serverip %s"
                 % (GUEST_ADDRESS, GATEWAY, server))

    def set_window(self, blocks):
        """blocks None: this U-Boot's default (lock-step, no windowsize option)."""
        self.run("setenv tftpwindowsize" + ("" if blocks is None else " %d" % blocks))

    def set_block_size(self, size):
        """size None: this U-Boot's default block size."""
        self.run("setenv tftpblocksize" + ("" if size is None else " %d" % size))


class Fetch:
    """What one tftpboot printed: size, U-Boot's own rate, and our wall time."""

    def __init__(self, output, seconds):
        self.output = output
        self.seconds = seconds
        m = re.search(r"Bytes transferred = (\d+)", output)
        self.size = int(m.group(1)) if m else None
        m = re.search(r"^\s*([\d.]+) (KiB|MiB|GiB)/s\s*$", output, re.M)
        scale = {"KiB": 1 / 1024.0, "MiB": 1.0, "GiB": 1024.0}
        self.uboot_mib_s = float(m.group(1)) * scale[m.group(2)] if m else None

    def wall_mib_s(self):
        return self.size / self.seconds / (1024 * 1024) if self.size else None


def fetch(uboot, name, limit=120.0, server=SERVER_FROM_GUEST):
    start = time.monotonic()
    output = uboot.run("tftpboot 0x%x %s:%s" % (LOAD_ADDRESS, server, name), limit)
    return Fetch(output, time.monotonic() - start)


def crc32_of_load(uboot, size):
    """U-Boot's CRC-32 of the size bytes at the load address, as an int."""
    output = uboot.run("crc32 0x%x 0x%x" % (LOAD_ADDRESS, size))
    m = re.search(r"==> ([0-9a-fA-F]{8})", output)
    if not m:
        raise RuntimeError("crc32 printed no checksum: %r" % output)
    return int(m.group(1), 16)


def captured_options(pcap_path):
    """The option maps of the TFTP requests and OACKs in QEMU's dump of the
    guest's card, as two lists in the order they passed. A request goes to
    port 69; an OACK may come from any port of the server."""
    requests, oacks = [], []
    for datagram, from_guest, destination_port in _guest_udp_datagrams(pcap_path):
        if from_guest and destination_port == 69 and datagram[:2] == b"\x00\x01":
            fields = datagram[2:].split(b"\x00")[2:]  # past the name and the mode
            requests.append(_option_map(fields))
        elif not from_guest and datagram[:2] == b"\x00\x06":
            oacks.append(_option_map(datagram[2:].split(b"\x00")))
    return requests, oacks


def _option_map(fields):
    return {fields[i].decode("latin-1"): fields[i + 1].decode("latin-1")
            for i in range(0, len(fields) - 1, 2) if fields[i]}


def _guest_udp_datagrams(pcap_path):
    """(payload, sent by the guest, destination port) for each UDP frame."""
    guest = bytes(int(part) for part in GUEST_ADDRESS.split("."))
    with open(pcap_path, "rb") as f:
        data = f.read()
    if len(data) < 24:
        return
    endian = "<" if data[:4] == b"\xd4\xc3\xb2\xa1" else ">"
    pos = 24
    while pos + 16 <= len(data):
        caplen = struct.unpack(endian + "I", data[pos + 8:pos + 12])[0]
        frame = data[pos + 16:pos + 16 + caplen]
        pos += 16 + caplen
        if len(frame) < 14 + 20 + 8 or frame[12:14] != b"\x08\x00":
            continue
        ip = frame[14:]
        header = (ip[0] & 0x0F) * 4
        if ip[9] != 17 or len(ip) < header + 8:
            continue
        destination_port = struct.unpack(">H", ip[header + 2:header + 4])[0]
        yield ip[header + 8:], ip[12:16] == guest, destination_port

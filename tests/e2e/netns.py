"""Network namespaces for the end-to-end tests: a "pc" namespace whose veth
end is the card the program repairs with, and a "device" namespace at
192.168.1.10 that plays the box's boot loader. Both are made by the test and
always deleted; nothing outside them is touched."""

import json
import os
import subprocess

DEVICE_ADDRESS = "192.168.1.10"
REPAIR_ADDRESS = "192.168.1.2"


def ip(*args, check=True):
    r = subprocess.run(["ip"] + list(args), capture_output=True, text=True, timeout=30)
    if check and r.returncode != 0:
        raise RuntimeError("ip %s: %s" % (" ".join(args), r.stderr.strip()))
    return r


class Namespaces:
    """pc:<card> (own address 10.77.0.1/24) <-veth-> device:<peer> (192.168.1.10/24)."""

    def __init__(self, tag):
        suffix = "%s-%d" % (tag, os.getpid())
        self.pc = "zaviz-pc-" + suffix
        self.device = "zaviz-dev-" + suffix
        self.card = "zcard0"
        self.peer = "zpeer0"

    def __enter__(self):
        try:
            ip("netns", "add", self.pc)
            ip("netns", "add", self.device)
            ip("-n", self.pc, "link", "add", self.card, "type", "veth", "peer", "name", self.peer,
               "netns", self.device)
            for ns in (self.pc, self.device):
                ip("-n", ns, "link", "set", "lo", "up")
            ip("-n", self.pc, "addr", "add", "10.77.0.1/24", "dev", self.card)
            ip("-n", self.device, "addr", "add", DEVICE_ADDRESS + "/24", "dev", self.peer)
            ip("-n", self.pc, "link", "set", self.card, "up")
            ip("-n", self.device, "link", "set", self.peer, "up")
        except Exception:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        for ns in (self.pc, self.device):
            ip("netns", "del", ns, check=False)

    def card_addresses(self):
        """The card's IPv4 addresses as a sorted list of "address/prefix"."""
        r = ip("-n", self.pc, "-j", "-4", "addr", "show", "dev", self.card)
        found = []
        for link in json.loads(r.stdout or "[]"):
            for a in link.get("addr_info", []):
                found.append("%s/%s" % (a["local"], a["prefixlen"]))
        return sorted(found)

    def in_pc(self, cmd):
        return ["ip", "netns", "exec", self.pc] + cmd

    def in_device(self, cmd):
        return ["ip", "netns", "exec", self.device] + cmd

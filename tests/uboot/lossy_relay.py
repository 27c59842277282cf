#!/usr/bin/env python3
"""A UDP relay that loses chosen TFTP packets, run inside a test's namespace.

It listens where clients look for the server and hands every datagram on to
the real server from a socket of its own per client, and the server's
answers back. It drops, once each, the DATA blocks whose number n gives
n % DATA_EVERY == DATA_EVERY - 1, and every ACK_EVERY-th ACK it sees
(repeats counted), so that each loss is made good by the next try. It stops
by itself after LIFETIME seconds, or at SIGTERM, and prints what it dropped.

  lossy_relay.py --listen PORT --server PORT --data-every N --ack-every M --lifetime S"""

import argparse
import select
import signal
import socket
import struct
import time

LOOPBACK = "127.0.0.1"


class Relay:
    def __init__(self, listen_port, server_port, data_every, ack_every):
        self.front = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.front.bind((LOOPBACK, listen_port))
        self.server = (LOOPBACK, server_port)
        self.data_every = data_every
        self.ack_every = ack_every
        self.upstream = {}  # client address -> socket towards the server
        self.client_of = {}  # that socket -> client address
        self.dropped_blocks = set()
        self.acks_seen = 0
        self.dropped_data = 0
        self.dropped_acks = 0
        self.stopping = False

    def sockets(self):
        return [self.front] + list(self.client_of)

    def from_client(self, datagram, client):
        if client not in self.upstream:
            s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
            s.bind((LOOPBACK, 0))
            self.upstream[client] = s
            self.client_of[s] = client
        if self._opcode(datagram) == 4:
            self.acks_seen += 1
            if self.acks_seen % self.ack_every == 0:
                self.dropped_acks += 1
                return
        self.upstream[client].sendto(datagram, self.server)

    def from_server(self, s, datagram):
        client = self.client_of[s]
        if self._opcode(datagram) == 3 and len(datagram) >= 4:
            block = struct.unpack(">H", datagram[2:4])[0]
            key = (client, block)
            if block % self.data_every == self.data_every - 1 and key not in self.dropped_blocks:
                self.dropped_blocks.add(key)
                self.dropped_data += 1
                return
        self.front.sendto(datagram, client)

    @staticmethod
    def _opcode(datagram):
        return struct.unpack(">H", datagram[:2])[0] if len(datagram) >= 2 else 0

    def run(self, lifetime):
        deadline = time.monotonic() + lifetime
        while not self.stopping and time.monotonic() < deadline:
            ready, _, _ = select.select(self.sockets(), [], [], 0.5)
            for s in ready:
                datagram, sender = s.recvfrom(65536)
                if s is self.front:
                    self.from_client(datagram, sender)
                else:
                    self.from_server(s, datagram)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--listen", type=int, required=True)
    parser.add_argument("--server", type=int, required=True)
    parser.add_argument("--data-every", type=int, required=True)
    parser.add_argument("--ack-every", type=int, required=True)
    parser.add_argument("--lifetime", type=float, default=120.0)
    args = parser.parse_args()
    relay = Relay(args.listen, args.server, args.data_every, args.ack_every)
    # coreutils' timeout hands a TERM on twice (to the program, then to its
    # group): the handler only asks the loop to end, so the second one cannot
    # cut the closing line short.
    def stop(*_):
        relay.stopping = True
    signal.signal(signal.SIGTERM, stop)
    print("relaying", flush=True)
    relay.run(args.lifetime)
    print("dropped %d DATA %d ACK" % (relay.dropped_data, relay.dropped_acks), flush=True)


if __name__ == "__main__":
    main()

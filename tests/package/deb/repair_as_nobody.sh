#!/bin/sh
# zaviz-repair as the unprivileged user 65534, with nothing but the file
# capabilities the package gave it: in the fresh network namespace this runs
# in, it must put the repair address on a veth card, serve the firmware on
# UDP port 69, and give the card back when stopped.
#
# usage: repair_as_nobody.sh WORK   (WORK/fw/upgradeimage.bin, WORK/xdg owned by 65534)
set -eu
work=$1
fail() { echo "FAILED: $*"; [ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true; exit 1; }
has_repair_address() { ip -4 -o addr show dev zcard0 | grep -q ' 192\.168\.1\.2/24 '; }

ip link set lo up
ip link add zcard0 type veth peer name zpeer0
ip addr add 10.77.0.1/24 dev zcard0
ip link set zcard0 up
ip link set zpeer0 up

cd "$work/fw"
XDG_RUNTIME_DIR="$work/xdg" setpriv --reuid=65534 --regid=65534 --clear-groups \
    zaviz-repair --card zcard0 --yes <"$work/null" >"$work/out" 2>"$work/err" &
pid=$!
tries=0
until ss -Hlun 'sport = :69' | grep -q . && has_repair_address; do
    kill -0 "$pid" 2>/dev/null || fail "zaviz-repair ended early: $(cat "$work/err")"
    tries=$((tries + 1))
    [ "$tries" -lt 150 ] || fail "no server on port 69 with the repair address after 15 s: $(cat "$work/err")"
    sleep 0.1
done
echo "as uid 65534: UDP port 69 bound, 192.168.1.2/24 on the card"

curl --silent --show-error --max-time 20 -o "$work/fetched" tftp://192.168.1.2/upgradeimage.bin ||
    fail "the TFTP fetch failed"
cmp -s "$work/fetched" "$work/fw/upgradeimage.bin" || fail "the fetched image differs from the firmware"
echo "the box's fetch of upgradeimage.bin got its $(wc -c <"$work/fetched") bytes"

kill -TERM "$pid"
code=0
wait "$pid" || code=$?
pid=
[ "$code" -eq 1 ] || fail "stopped by SIGTERM, zaviz-repair exited $code, not 1"
! has_repair_address || fail "the repair address is still on the card after the stop"
echo "stopped by SIGTERM: exit 1, the card has its own setup back"

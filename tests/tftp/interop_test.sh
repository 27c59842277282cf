#!/usr/bin/env bash
# Independent TFTP clients (curl, tftp-hpa, atftp) download from zaviz-tftpd
# over 127.0.0.1 and must get byte-identical files.
#   interop_test.sh SUITE PATH-TO-zaviz-tftpd
set -euo pipefail
suite="$1"
server="$2"

work=$(mktemp -d)
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/root" "$work/out"

free_port() {
  python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

make_files() {
  head -c 1500 /dev/urandom >"$work/root/small.bin"
  head -c 1048576 /dev/urandom >"$work/root/medium.bin"
  head -c 41943040 /dev/urandom >"$work/root/large.bin"
}

start_server() {  # extra server options...
  port=$(free_port)
  "$server" --bind 127.0.0.1 --port "$port" --root "$work/root" "$@" >"$work/server.log" 2>&1 &
  server_pid=$!
  for _ in $(seq 50); do
    grep -q "serving" "$work/server.log" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "server did not start:"; cat "$work/server.log"; return 1
}

failures=0
check() {  # label, file name, downloaded copy
  if cmp -s "$work/root/$2" "$3"; then
    echo "ok    $1 $2"
  else
    echo "FAIL  $1 $2"; failures=$((failures + 1))
  fi
}

fetch() {  # client, file, output
  case "$1" in
    curl) curl -sS --max-time 120 -o "$3" "tftp://127.0.0.1:$port/$2" ;;
    curl1468) curl -sS --max-time 120 --tftp-blksize 1468 -o "$3" "tftp://127.0.0.1:$port/$2" ;;
    curl2048) curl -sS --max-time 120 --tftp-blksize 2048 -o "$3" "tftp://127.0.0.1:$port/$2" ;;
    tftp) (cd "$work/out" && timeout 120 tftp -m binary 127.0.0.1 "$port" -c get "$2" "$3") ;;
    atftp) timeout 120 atftp -g -r "$2" -l "$3" 127.0.0.1 "$port" ;;
    atftp1468) timeout 120 atftp --option "blksize 1468" -g -r "$2" -l "$3" 127.0.0.1 "$port" ;;
    atftp_window) timeout 120 atftp --option "windowsize 8" --option "blksize 1468" -g -r "$2" -l "$3" 127.0.0.1 "$port" ;;
  esac
}

download_all() {  # clients...
  local client name
  for client in "$@"; do
    for name in small.bin medium.bin large.bin; do
      fetch "$client" "$name" "$work/out/$client-$name" || true
      check "$client" "$name" "$work/out/$client-$name"
    done
  done
}

case "$suite" in
  curl) make_files; start_server; download_all curl curl1468 curl2048 ;;
  tftp_hpa) make_files; start_server; download_all tftp ;;
  atftp) make_files; start_server; download_all atftp atftp1468 atftp_window ;;
  concurrent)
    make_files; start_server
    clients=(curl curl1468 curl2048 tftp atftp atftp1468 atftp_window atftp_window)
    pids=()
    for i in "${!clients[@]}"; do
      fetch "${clients[$i]}" large.bin "$work/out/$i-large.bin" &
      pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || true; done
    for i in "${!clients[@]}"; do check "${clients[$i]}#$i" large.bin "$work/out/$i-large.bin"; done
    ;;
  uploads)
    # Read-only by default: both clients are refused with ERROR 2 and the file stays.
    head -c 300000 /dev/urandom >"$work/root/target.bin"
    cp "$work/root/target.bin" "$work/before.bin"
    head -c 200000 /dev/urandom >"$work/out/new.bin"
    start_server
    set +e
    (cd "$work/out" && timeout 30 tftp -m binary 127.0.0.1 "$port" -c put new.bin target.bin) >"$work/put.log" 2>&1
    curl -sS --max-time 30 -T "$work/out/new.bin" "tftp://127.0.0.1:$port/target.bin" >"$work/curl.log" 2>&1
    curl_status=$?
    set -e
    if grep -qi "error code 2" "$work/put.log" && cmp -s "$work/root/target.bin" "$work/before.bin"; then
      echo "ok    tftp put refused by default"
    else
      echo "FAIL  tftp put by default:"; cat "$work/put.log"; failures=$((failures + 1))
    fi
    # curl reports a TFTP access violation as its exit status 69.
    if [ "$curl_status" -eq 69 ] && cmp -s "$work/root/target.bin" "$work/before.bin"; then
      echo "ok    curl upload refused by default"
    else
      echo "FAIL  curl upload by default: status $curl_status"; cat "$work/curl.log"; failures=$((failures + 1))
    fi
    kill "$server_pid"; wait "$server_pid" || true; server_pid=""

    start_server --allow-uploads
    (cd "$work/out" && timeout 30 tftp -m binary 127.0.0.1 "$port" -c put new.bin target.bin) || true
    check "tftp put with --allow-uploads" target.bin "$work/out/new.bin"
    head -c 100000 /dev/urandom >"$work/out/newer.bin"
    curl -sS --max-time 30 -T "$work/out/newer.bin" "tftp://127.0.0.1:$port/target.bin" || true
    check "curl upload with --allow-uploads" target.bin "$work/out/newer.bin"
    ;;
  standalone)
    "$server" --help | grep -q -- "--allow-uploads" && echo "ok    --help" || { echo "FAIL  --help"; failures=$((failures + 1)); }
    "$server" --version | grep -q "zaviz-tftpd" && echo "ok    --version" || { echo "FAIL  --version"; failures=$((failures + 1)); }
    # --cards lists the adapters (loopback at least) and the eligible wired cards.
    if "$server" --cards >"$work/cards.log" 2>&1 && grep -q "Eligible wired cards: [0-9]" "$work/cards.log"; then
      echo "ok    --cards"
    else
      echo "FAIL  --cards"; cat "$work/cards.log"; failures=$((failures + 1))
    fi
    start_server
    # The port is taken: a clear message and exit status 1.
    set +e
    "$server" --bind 127.0.0.1 --port "$port" --root "$work/root" >"$work/second.log" 2>&1
    status=$?
    set -e
    if [ "$status" -eq 1 ] && grep -q "cannot listen on UDP 127.0.0.1:$port" "$work/second.log"; then
      echo "ok    busy port refused with exit 1"
    else
      echo "FAIL  busy port: status $status"; cat "$work/second.log"; failures=$((failures + 1))
    fi
    # SIGTERM stops it through the normal path, exit 0.
    kill -TERM "$server_pid"
    set +e
    wait "$server_pid"
    status=$?
    set -e
    server_pid=""
    if [ "$status" -eq 0 ] && grep -q "stopped" "$work/server.log"; then
      echo "ok    SIGTERM stops with exit 0"
    else
      echo "FAIL  SIGTERM: status $status"; failures=$((failures + 1))
    fi
    ;;
  *) echo "unknown suite $suite"; exit 2 ;;
esac

[ "$failures" -eq 0 ]

# A serial device server for the tests: Debian's ser2net, started in the
# foreground with a configuration of its own on loopback ports (no system
# service). Sourced by tests/integration/ctl_network_test.sh and the
# end-to-end case 16.
#
#   ser2net_start DEVICE DIR   ser2net for the serial device or pty DEVICE
#                              (a link is resolved), its configuration and
#                              log in DIR; sets RAW (raw TCP), RFC (RFC 2217)
#                              and TELNET (Telnet without the com-port
#                              option) to its ports and SER2NET_PID; returns
#                              once all three take connections (10 s), else 1
#   free_ports N               N loopback ports nothing listens on now

free_ports() {
  python3 -c '
import socket, sys
socks = [socket.socket() for _ in range(int(sys.argv[1]))]
for s in socks: s.bind(("127.0.0.1", 0))
print(" ".join(str(s.getsockname()[1]) for s in socks))' "$1"
}

ser2net_start() {
  local device dir=$2
  device=$(readlink -f "$1")
  read -r RAW RFC TELNET <<<"$(free_ports 3)"
  cat >"$dir/ser2net.yaml" <<YAML
connection: &raw
  accepter: tcp,127.0.0.1,$RAW
  connector: serialdev,$device,9600e81,local
connection: &rfc
  accepter: telnet(rfc2217),tcp,127.0.0.1,$RFC
  connector: serialdev,$device,9600e81,local
connection: &telnet
  accepter: telnet,tcp,127.0.0.1,$TELNET
  connector: serialdev,$device,9600e81,local
YAML
  ser2net -n -d -c "$dir/ser2net.yaml" >>"$dir/ser2net.log" 2>&1 &
  SER2NET_PID=$!
  python3 -c '
import socket, sys, time
end = time.time() + 10
for port in map(int, sys.argv[1:]):
    while True:
        try:
            socket.create_connection(("127.0.0.1", port), 0.2).close(); break
        except OSError:
            if time.time() > end: sys.exit(f"ser2net does not listen on {port}")
            time.sleep(0.05)' "$RAW" "$RFC" "$TELNET"
}

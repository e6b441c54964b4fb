#!/usr/bin/env bash
# Starts the local Firebird server (127.0.0.1:3050) and gives SYSDBA the password that the
# tests and the built-in connection defaults use ($FB_SERVER_PASSWORD, default "quillrock").
set -euo pipefail
password="${FB_SERVER_PASSWORD:-quillrock}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
port_open() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }

if ! port_open; then
  $sudo /etc/init.d/firebird3.0 start >/dev/null || true
  for _ in $(seq 1 50); do port_open && break; sleep 0.2; done
fi
port_open || { echo "Firebird server did not start on port 3050" >&2; exit 1; }

probe_dir=$(mktemp -d)
chmod 777 "$probe_dir"
trap 'rm -rf "$probe_dir"' EXIT
probe="localhost:$probe_dir/probe.fdb"
try_password() {
  echo "create database '$probe' user 'SYSDBA' password '$1'; drop database;" |
    isql-fb -q 2>/dev/null >/dev/null
}
if try_password "$password"; then
  exit 0
fi
# First start on this machine: Debian set a random password; replace it with ours.
eval "$($sudo cat /etc/firebird/3.0/SYSDBA.password | grep '^ISC_PASSWORD=')"
echo "create database '$probe' user 'SYSDBA' password '$ISC_PASSWORD'; alter user SYSDBA password '$password'; drop database;" |
  isql-fb -q >/dev/null
$sudo sed -i "s/^ISC_PASSWORD=.*/ISC_PASSWORD=\"$password\"/" /etc/firebird/3.0/SYSDBA.password
try_password "$password" || { echo "cannot log in to the server as SYSDBA" >&2; exit 1; }

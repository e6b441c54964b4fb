#!/usr/bin/env bash
# Starts the local Firebird server (127.0.0.1:3050) and gives the tests a login of their own:
# the user SUPPBS_TEST with the server's admin role (it creates the tests' databases and users),
# under a new random password on every call. The server's administrator SYSDBA is left as it is:
# its password is only read, from the file Debian's package keeps it in, to create or reset that
# login. Writes the login as shell assignments (FB_SERVER_USER, FB_SERVER_PASSWORD,
# FB_SERVER_ROLE) to the file named by $1, readable by its owner only.
set -euo pipefail
login_file="${1:?usage: start-firebird-server.sh LOGIN-FILE}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
port_open() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }

if ! port_open; then
  $sudo /etc/init.d/firebird3.0 start >/dev/null || true
  for _ in $(seq 1 50); do port_open && break; sleep 0.2; done
fi
port_open || { echo "Firebird server did not start on port 3050" >&2; exit 1; }

sysdba_password=$($sudo sed -n 's/^ISC_PASSWORD="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' /etc/firebird/3.0/SYSDBA.password)
[ -n "$sysdba_password" ] || { echo "no SYSDBA password in /etc/firebird/3.0/SYSDBA.password" >&2; exit 1; }
user=SUPPBS_TEST
role='RDB$ADMIN'
password=$(head -c 18 /dev/urandom | base64 | tr -d '/+=' | cut -c1-20)

probe_dir=$(mktemp -d)
chmod 777 "$probe_dir"
trap 'rm -rf "$probe_dir"' EXIT
# User management needs a database to attach to; a throwaway one serves.
isql-fb -q >/dev/null <<SQL
create database 'localhost:$probe_dir/probe.fdb' user 'SYSDBA' password '$sysdba_password';
create or alter user $user password '$password' grant admin role;
drop database;
SQL
# The login works: it may create a database under the admin role.
isql-fb -q >/dev/null <<SQL || { echo "the test login $user cannot create a database" >&2; exit 1; }
create database 'localhost:$probe_dir/check.fdb' user '$user' password '$password' role '$role';
drop database;
SQL

umask 077
printf 'FB_SERVER_USER=%s\nFB_SERVER_PASSWORD=%s\nFB_SERVER_ROLE=%s\n' "$user" "$password" "'$role'" >"$login_file"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Serves a folder as a network share, the way users keep their sites: over
# SFTP from an sshd of its own on 127.0.0.1, mounted with sshfs, and runs a
# command with the share's path in $SHARE. The sshd has its own
# configuration, host key, key pair and port in a temporary folder; at the
# end the share is unmounted and that sshd stopped by its process id.
#
#   bench/sftp-share.sh FOLDER COMMAND [ARG...]
#
# Needs openssh-server and sshfs (Debian's packages) and /dev/fuse; runs as
# any user (the share is then logged into as that user).
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 FOLDER COMMAND [ARG...]" >&2; exit 2; }
folder=$(cd "$1" && pwd)
shift
for tool in /usr/sbin/sshd sshfs ssh-keygen fusermount; do
  command -v "$tool" >/dev/null || { echo "sftp-share: needs $tool (openssh-server, sshfs)" >&2; exit 2; }
done

work=$(mktemp -d)
sshd_pid=""
cleanup() {
  if mountpoint -q "$work/share" 2>/dev/null; then fusermount -u "$work/share" 2>/dev/null || umount -l "$work/share" 2>/dev/null || true; fi
  [ -n "$sshd_pid" ] && kill "$sshd_pid" 2>/dev/null && wait "$sshd_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A free port above the usual ones.
port=""
for candidate in $(shuf -i 20000-60000 -n 50); do
  if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then port=$candidate; break; fi
done
[ -n "$port" ] || { echo "sftp-share: no free port" >&2; exit 1; }

ssh-keygen -q -t ed25519 -N '' -f "$work/host_key"
ssh-keygen -q -t ed25519 -N '' -f "$work/client_key"
cp "$work/client_key.pub" "$work/authorized_keys"
chmod 600 "$work/authorized_keys"
cat >"$work/sshd_config" <<CONFIG
Port $port
ListenAddress 127.0.0.1
HostKey $work/host_key
AuthorizedKeysFile $work/authorized_keys
PidFile $work/sshd.pid
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
PermitRootLogin prohibit-password
StrictModes no
Subsystem sftp internal-sftp
CONFIG
# sshd wants its privilege-separation folder.
[ "$(id -u)" -ne 0 ] || mkdir -p /run/sshd
/usr/sbin/sshd -D -e -f "$work/sshd_config" 2>"$work/sshd.log" &
sshd_pid=$!
for _ in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.1; done

mkdir "$work/share"
sshfs -p "$port" -o IdentityFile="$work/client_key" -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null \
  -o LogLevel=ERROR -o BatchMode=yes "$(id -un)@127.0.0.1:$folder" "$work/share" \
  || { echo "sftp-share: sshfs could not mount the share; sshd said:" >&2; cat "$work/sshd.log" >&2; exit 1; }

status=0
SHARE="$work/share" "$@" || status=$?
exit "$status"

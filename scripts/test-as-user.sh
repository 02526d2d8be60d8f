#!/usr/bin/env bash
# Runs scripts/test.sh as a normal user, from a root shell (CI runs as root).
# The user (W4_TEST_USER, default w4test, created when missing) gets a copy of
# the tree with its Qt 5 build in build/, owned by that user and shown at the
# tree's own path in a private mount namespace, so the build is reused, not
# redone. Tests that need root skip and say why.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
user=${W4_TEST_USER:-w4test}
if [ "$(id -u)" -ne 0 ]; then
  echo "As a normal user, run scripts/test.sh itself; this script needs root to set up the user." >&2
  exit 2
fi

"$root/scripts/build.sh" >/dev/null
id -u "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)

stage=$(mktemp -d /var/tmp/w4user.XXXXXX)
trap 'rm -rf "$stage"' EXIT
chmod 755 "$stage"
mkdir "$stage/tree"
# The tree and build/ with their times, so nothing looks out of date; the other
# build folders stay behind.
find "$root" -mindepth 1 -maxdepth 1 ! -name 'build-*' -exec cp -a {} "$stage/tree/" \;
chown -R "$user:" "$stage/tree"

# The first folder above the tree the user may not pass through (a root-only
# home, say): in the namespace an empty tmpfs covers it, holding just the path
# down to the tree.
blocked=""
path=""
IFS=/ read -ra parts <<<"${root#/}"
for part in "${parts[@]:0:${#parts[@]}-1}"; do
  path+="/$part"
  if ! runuser -u "$user" -- test -x "$path"; then
    blocked=$path
    break
  fi
done

echo "Running the tests as $user (uid $(id -u "$user")) in a copy of the tree at $root"
unshare --mount --propagation private bash -euo pipefail -c '
  blocked=$1 stage=$2 root=$3 user=$4 home=$5
  [ -n "$blocked" ] && mount -t tmpfs -o mode=755 w4user "$blocked"
  mkdir -p "$root"
  mount --bind "$stage/tree" "$root"
  cd "$root"
  exec runuser -u "$user" -- env HOME="$home" USER="$user" LOGNAME="$user" bash scripts/test.sh
' bash "$blocked" "$stage" "$root" "$user" "$home"

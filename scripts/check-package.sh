#!/usr/bin/env bash
# Checks the Debian package: its control fields and maintainer script, its
# files unpacked into a temporary folder (the programs, their man pages, the
# desktop entry, the icon and the AppStream metadata), the desktop entry with
# desktop-file-validate, the metadata with appstreamcli (where installed), and
# that apt can resolve its dependencies here (a simulated install).
#   check-package.sh [--qt6]    builds the package with scripts/package.sh
#   check-package.sh FILE.deb   checks that file
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-deps.sh" --package
if [ $# -eq 1 ] && [ -f "$1" ]; then
  deb=$(realpath "$1")
else
  deb=$("$root/scripts/package.sh" "$@" | tail -n 1)
fi
tmp=$(mktemp -d /tmp/w4package.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

passed=0 failed=0
check() { # description, command...
  local what=$1
  shift
  if "$@" >"$tmp/out" 2>&1; then
    passed=$((passed + 1))
    echo "PASS  $what"
  else
    failed=$((failed + 1))
    echo "FAIL  $what"
    sed 's/^/      /' "$tmp/out" | head -n 20
  fi
}
field() { dpkg-deb -f "$deb" "$1"; }
depends_on() { field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//; s/|.*//' | grep -qx "$1"; }

echo "Checking $deb"
check "package name w4control" test "$(field Package)" = w4control
qt=5
depends_on libqt6core6 && qt=6
for lib in core widgets network serialport; do
  case "$qt$lib" in
    5core) name=libqt5core5a ;;
    5*) name=libqt5${lib}5 ;;
    6*) name=libqt6${lib}6 ;;
  esac
  check "depends on $name" depends_on "$name"
done
check "depends on libcap2-bin (setcap in postinst)" depends_on libcap2-bin
check "apt can resolve the dependencies (simulated install)" \
  env DEBIAN_FRONTEND=noninteractive apt-get install -s -q "$deb"

dpkg-deb --contents "$deb" | awk '{ print $NF }' | sed 's|^\./|/|' >"$tmp/contents"
app_id=org.w4control.w4control
expected=(
  /usr/bin/w4control /usr/bin/w4sim
  /usr/share/man/man1/w4control.1.gz /usr/share/man/man1/w4sim.1.gz
  "/usr/share/applications/$app_id.desktop" "/usr/share/metainfo/$app_id.metainfo.xml"
  /usr/share/icons/hicolor/scalable/apps/w4control.svg
)
expected+=(/usr/share/doc/w4control/copyright /usr/share/doc/w4control/README.md)
grep -qx /usr/bin/w4ctl "$tmp/contents" &&
  expected+=(/usr/share/man/man1/w4ctl.1.gz /usr/share/doc/w4control/w4ctl.md
    /usr/share/bash-completion/completions/w4ctl)
for f in "${expected[@]}"; do
  check "contains $f" grep -qx "$f" "$tmp/contents"
done
check "holds nothing outside /usr" sh -c "! grep -v '^/usr/' '$tmp/contents' | grep -vx /"

x="$tmp/root"
dpkg -x "$deb" "$x"
for program in "$x"/usr/bin/*; do
  name=$(basename "$program")
  check "$name is an executable" test -x "$program"
  check "$name has no run path into a build folder" sh -c "! readelf -d '$program' | grep -E 'RPATH|RUNPATH'"
  check "$name has a man page that renders cleanly" \
    sh -c "test -s '$x/usr/share/man/man1/$name.1.gz' && [ -z \"\$(MANWIDTH=80 man -l --warnings '$x/usr/share/man/man1/$name.1.gz' 2>&1 >/dev/null)\" ]"
done
check "w4sim from the package starts (--help)" "$x/usr/bin/w4sim" --help
for program in w4sim w4ctl; do
  [ -x "$x/usr/bin/$program" ] || continue
  check "$program --version says $program $(field Version)" \
    test "$("$x/usr/bin/$program" --version)" = "$program $(field Version)"
done
check "the copyright file is in the machine-readable format" \
  grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$x/usr/share/doc/w4control/copyright"
if [ -f "$x/usr/share/bash-completion/completions/w4ctl" ]; then
  check "w4ctl's bash completion completes its commands" \
    bash "$root/tests/ctl/completion.sh" "$x/usr/share/bash-completion/completions/w4ctl"
fi
check "desktop-file-validate" desktop-file-validate "$x/usr/share/applications/$app_id.desktop"
check "desktop entry: in AudioVideo and Utility, runs w4control, has the icon" \
  sh -c "grep -qx 'Categories=AudioVideo;Utility;' '$x/usr/share/applications/$app_id.desktop' &&
         grep -qx 'Exec=w4control' '$x/usr/share/applications/$app_id.desktop' &&
         grep -qx 'Icon=w4control' '$x/usr/share/applications/$app_id.desktop'"
if command -v appstreamcli >/dev/null; then
  check "appstreamcli validate" appstreamcli validate --no-net "$x/usr/share/metainfo/$app_id.metainfo.xml"
  check "appstreamcli validate-tree" appstreamcli validate-tree --no-net "$x"
else
  echo "SKIP  appstreamcli is not installed"
fi

dpkg-deb -e "$deb" "$tmp/control"
check "postinst is executable" test -x "$tmp/control/postinst"
check "postinst gives /usr/bin/w4control cap_net_bind_service" \
  grep -q 'setcap cap_net_bind_service=+ep /usr/bin/w4control' "$tmp/control/postinst"
check "postinst passes sh -n" sh -n "$tmp/control/postinst"

echo "package check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

#!/bin/sh
# Runs one test program with a home, settings, cache and temp folder of its
# own, so that no test ever touches the real ones. Everything goes afterwards.
#
# It also fails a run in which a QProcess object was destroyed while its child
# still ran: Qt only warns about that, and Qt Test's own message handler keeps
# such warnings from any handler the program installs.
root=$(mktemp -d "${TMPDIR:-/tmp}/morvayne-test.XXXXXX") || exit 1
trap 'rm -rf "$root"' EXIT INT TERM
mkdir -p "$root/home" "$root/config" "$root/cache" "$root/data" "$root/tmp" "$root/runtime"
chmod 700 "$root/runtime"
export HOME="$root/home"
export XDG_CONFIG_HOME="$root/config"
export XDG_CACHE_HOME="$root/cache"
export XDG_DATA_HOME="$root/data"
export XDG_RUNTIME_DIR="$root/runtime"
export TMPDIR="$root/tmp"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export MORVAYNE_TEST_ROOT="$root"

{ "$@" 2>&1; echo $? > "$root/rc"; } | tee "$root/output.txt"
rc=$(cat "$root/rc")
if grep -q "QProcess: Destroyed while process" "$root/output.txt"; then
  echo "FAIL: a child process was still running when its QProcess was destroyed"
  [ "$rc" -eq 0 ] && rc=1
fi
exit "$rc"

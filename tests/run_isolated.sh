#!/bin/sh
# Runs one test program in a fresh HOME, XDG_CONFIG_HOME and TMPDIR, so that no
# test touches the real user's files, and fails it when it leaves anything in
# TMPDIR. As root the program runs as "nobody", so that permission tests mean
# what they say; where nobody cannot reach the build tree it runs as root and
# VARNOLET_TESTS_AS_ROOT=1 tells the permission tests to skip.
set -u
root=$(mktemp -d "${TMPDIR:-/tmp}/varnolet-test.XXXXXX") || exit 1
mkdir -p "$root/home" "$root/config" "$root/tmp"
run_as=""
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null 2>&1; then
    chown -R 65534:65534 "$root"
    chmod 755 "$root"
    if setpriv --reuid=65534 --regid=65534 --clear-groups test -x "$1" 2>/dev/null; then
        run_as="setpriv --reuid=65534 --regid=65534 --clear-groups"
    else
        chown -R 0:0 "$root"
        export VARNOLET_TESTS_AS_ROOT=1
    fi
fi
HOME="$root/home" XDG_CONFIG_HOME="$root/config" TMPDIR="$root/tmp" $run_as "$@"
rc=$?
leaks=$(find "$root/tmp" -mindepth 1 -maxdepth 2 2>/dev/null | head -n 10)
if [ -n "$leaks" ]; then
    echo "FAILED: temporary files left behind in TMPDIR:"
    echo "$leaks"
    rc=1
fi
chmod -R u+rwx "$root" 2>/dev/null
rm -rf "$root"
exit $rc

#!/usr/bin/env bash
# Proves the README's two commands on a machine that has never seen the
# project: makes a minimal Debian 12 root with mmdebstrap, puts a clean clone
# of this checkout's HEAD into it, and runs scripts/demo.sh, then
# scripts/test.sh there as root (chroot, with /proc, /sys, /dev and /dev/pts
# mounted for the run and unmounted afterwards). Prints each command's result
# and time; exit 0 only if both passed. Needs root; too slow for CI (about
# 20 minutes here).
#
#   scripts/clean-root-check.sh [ROOT_DIR]      (default build/clean-root)
set -uo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
root="${1:-$repo/build/clean-root}"
log="$root.log"

if [ "$(id -u)" -ne 0 ]; then
    echo "clean-root-check: run as root (it makes a root file system and chroots into it)" >&2
    exit 2
fi
if ! command -v mmdebstrap >/dev/null; then
    echo "clean-root-check: installing mmdebstrap"
    apt-get update -qq && apt-get install -y -qq mmdebstrap >/dev/null || exit 1
fi

mounted=()
unmount_all() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -R "${mounted[$i]}" 2>/dev/null || umount -lR "${mounted[$i]}" 2>/dev/null
    done
    mounted=()
}
trap unmount_all EXIT

# An earlier run's mounts first, then its root.
for point in dev/pts dev sys proc; do
    mountpoint -q "$root/$point" 2>/dev/null && umount -lR "$root/$point"
done
rm -rf "$root"
mkdir -p "$(dirname "$root")"

started=$SECONDS
echo "clean-root-check: making a minimal Debian 12 root in $root"
mmdebstrap --variant=minbase --aptopt='Acquire::Check-Valid-Until "false"' \
    bookworm "$root" >"$log" 2>&1 || { echo "mmdebstrap failed (see $log)" >&2; exit 1; }
cp /etc/resolv.conf "$root/etc/resolv.conf"
echo "clean-root-check: root made in $((SECONDS - started)) s"

# A clean clone: what is committed, nothing of this checkout's build or
# uncommitted files. The root has no git before scripts/setup.sh installs it
# (the release takes its time stamp from the commit), so the clone is made here.
git clone -q --no-hardlinks "$repo" "$root/root/brenk_C" || exit 1
echo "clean-root-check: clone of $(git -C "$repo" rev-parse --short HEAD) in /root/brenk_C"

for point in proc sys dev dev/pts; do
    mkdir -p "$root/$point"
done
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount --rbind /sys "$root/sys" && mounted+=("$root/sys")
mount --rbind /dev "$root/dev" && mounted+=("$root/dev")
mountpoint -q "$root/dev/pts" || { mount -t devpts devpts "$root/dev/pts" && mounted+=("$root/dev/pts"); }

# Each command as a new user would run it: a clean environment, no display.
run_in_root() {
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c "cd /root/brenk_C && $1"
}

results=()
status=0
for command in scripts/demo.sh scripts/test.sh; do
    echo
    echo "clean-root-check: running $command"
    begun=$SECONDS
    run_in_root "$command" 2>&1 | tee -a "$log" | tail -n 25
    code=${PIPESTATUS[0]}
    results+=("$command: exit $code in $((SECONDS - begun)) s")
    [ "$code" -eq 0 ] || status=1
done

unmount_all

# The archive is the same wherever the commit is built: the root's against
# this checkout's, when that one is built from the same, unchanged commit.
for inside in "$root"/root/brenk_C/build/mingw/brenk_C-*-win32.zip; do
    outside="$repo/build/mingw/$(basename "$inside")"
    if [ ! -f "$inside" ] || [ ! -f "$outside" ] || ! git -C "$repo" diff --quiet HEAD; then
        results+=("release archive: not compared (no archive outside, or uncommitted changes)")
    elif cmp -s "$inside" "$outside"; then
        results+=("release archive: the same bytes inside the root and in build/mingw")
    else
        results+=("release archive: differs between the root and build/mingw")
        status=1
    fi
done

echo
echo "clean-root-check: results (full output in $log)"
printf '  %s\n' "${results[@]}"
exit $status

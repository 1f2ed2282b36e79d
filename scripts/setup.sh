#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, as root. Idempotent:
# when everything is in place it only checks and returns.
set -euo pipefail

packages=(
    cmake make g++ clang libclang-rt-14-dev googletest
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine64 wine32:i386 xvfb xauth x11-apps imagemagick
    cups printer-driver-cups-pdf poppler-utils
    # 32-bit Wine reaches the print server through the 32-bit CUPS library,
    # which Wine's i386 packages only recommend.
    libcups2:i386
    # The release archive (zip: byte for byte the same from the same sources;
    # git: the commit's time, which every entry carries), its import library
    # for Microsoft's linker (llvm-dlltool) and the sample host built against
    # it with lld, and its documents as HTML (Python-Markdown).
    zip unzip git llvm lld python3-markdown
    # Reads the shipped binaries' headers (scripts/check-hardening.py).
    python3
)

missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
fi
echo "setup: installing ${missing[*]} (with what they need; a few minutes the first time)"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
echo "setup: installed ${missing[*]}"

#!/bin/bash
# Installs what building and testing Morla needs on Debian bookworm (run as root).
set -euo pipefail
PKGS="cmake g++ make ninja-build git googletest libgtest-dev libbenchmark-dev
      wine wine32:i386 wine64 fonts-wine g++-mingw-w64-i686 xvfb imagemagick x11-utils
      binutils-dev binutils-source xz-utils rcs ripgrep universal-ctags diffutils grep"
export DEBIAN_FRONTEND=noninteractive

have_all() { dpkg-query -W -f='${Status}\n' $(echo "$PKGS" | sed 's/:i386//g') 2>/dev/null | grep -vc 'install ok installed' | grep -qx 0 \
             && dpkg-query -W wine32:i386 >/dev/null 2>&1; }
if have_all; then exit 0; fi

dpkg --add-architecture i386
try_install() { apt-get "$@" update -q && apt-get "$@" install -y -q --no-install-recommends $PKGS; }
if ! try_install; then
  # A broken security-suite index can make the i386 set unsatisfiable: use only the main suites.
  parts=$(mktemp -d)
  uri=$(grep -hoE 'https?://[^ ]*debian/?$' /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null | grep -v security | head -n1)
  uri=${uri:-http://deb.debian.org/debian}
  printf 'Types: deb\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' "$uri" > "$parts/main.sources"
  try_install -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$parts"
fi

#!/usr/bin/env bash
# Installs what building, running and testing Wrivo needs on Debian 12.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

need_apt=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(
  cmake make ccache g++ clang clang-format-14 libclang-rt-14-dev googletest
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386
  xvfb xauth xdotool x11-utils imagemagick
  locales fonts-wqy-microhei
  python3
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt_updated=0
fi

for p in "${packages[@]}"; do have_pkg "$p" || need_apt+=("$p"); done

if ((${#need_apt[@]})); then
  echo "install-deps: installing ${need_apt[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need_apt[@]}" >/dev/null
fi

# Wine's ANSI code page follows the Unix locale; 936 needs zh_CN.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "install-deps: generating zh_CN.UTF-8"
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

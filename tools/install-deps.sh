#!/usr/bin/env bash
# Installs what building, running and testing Wrivo needs on Debian 12.
# Idempotent: when everything is present it only checks and returns.
#   install-deps.sh          what make run and make test need
#   install-deps.sh fuzz     also clang and its sanitizer run-times (make fuzz)
set -euo pipefail

need_apt=()

# A mirror in the middle of a sync serves an index whose size does not match
# its release file, and apt-get update then fails as a whole. Such an index is
# tried once more after a pause (a sync takes minutes, so waiting longer
# seldom helps); after that the install goes on with
# the lists apt has. If the install cannot be worked out with them (a newer
# security update whose i386 twin is in the index that did not come), it is
# tried once more without the archives whose indexes failed; only a failing
# install stops the set-up.
failed_archives=()
apt_update() {
  local attempt log
  log=$(mktemp)
  for attempt in 1 2; do
    if apt-get update -qq 2>&1 | tee "$log" >&2 && ! grep -q '^E: ' "$log"; then failed_archives=(); rm -f "$log"; return 0; fi
    # "Failed to fetch http://host/archive/dists/..." names the archive.
    mapfile -t failed_archives < <(sed -n 's|.*Failed to fetch \([a-z]*://[^ ]*\)/dists/.*|\1|p' "$log" | sort -u)
    [ "$attempt" -lt 2 ] && { echo "install-deps: a package index could not be fetched; trying again in 10 s" >&2; sleep 10; }
  done
  rm -f "$log"
  echo "install-deps: going on with the package lists already fetched" >&2
}
apt_install() {
  apt-get install -y -qq --no-install-recommends "$@" >/dev/null && return 0
  if ((${#failed_archives[@]})); then
    local parts archive
    parts=$(mktemp -d)
    # The deb822 sources, one stanza a paragraph, without the failed archives.
    cat /etc/apt/sources.list.d/*.sources >"$parts/all" 2>/dev/null || true
    for archive in "${failed_archives[@]}"; do
      awk -v RS= -v ORS='\n\n' -v a="URIs: $archive" 'index($0, a) == 0' "$parts/all" >"$parts/kept" && mv "$parts/kept" "$parts/all"
    done
    mv "$parts/all" "$parts/kept.sources"
    echo "install-deps: trying the install without ${failed_archives[*]}" >&2
    if apt-get install -y -qq --no-install-recommends -o Dir::Etc::SourceParts="$parts" \
         -o Dir::Etc::SourceList=/dev/null "$@" >/dev/null; then rm -rf "$parts"; return 0; fi
    rm -rf "$parts"
  fi
  echo "install-deps: could not install $* — check the network and the Debian mirror (apt-get update), then run make again" >&2
  exit 1
}

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# Only what make run and make test use: clang-format-14 checks the house
# format (the format test), nsis makes the installer that the tests install,
# OpenCC's dictionaries become the Simplified/Traditional tables (read with
# opencc_dict), and the opencc command converts fortunes-zh's lines for the
# tests to compare with.
packages=(
  cmake make ccache g++ clang-format-14 googletest
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386
  xvfb xauth xdotool x11-utils
  locales fonts-wqy-microhei
  python3
  zip nsis
  libopencc1.1 opencc fortunes-zh
)
if [ "${1:-}" = fuzz ]; then packages+=(clang libclang-rt-14-dev); fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt_updated=0
fi

for p in "${packages[@]}"; do have_pkg "$p" || need_apt+=("$p"); done

if ((${#need_apt[@]})); then
  echo "install-deps: installing ${need_apt[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt_update
  apt_install "${need_apt[@]}"
fi

# Wine's ANSI code page follows the Unix locale: 936 needs zh_CN. en_US (code
# page 1252) shows that the program's manifest gets it 936 all the same.
missing_locale=0
for loc in zh_CN en_US; do
  if ! locale -a 2>/dev/null | grep -qix "$loc.utf8"; then
    sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" >> /etc/locale.gen
    missing_locale=1
  fi
done
if [ $missing_locale = 1 ]; then
  echo "install-deps: generating zh_CN.UTF-8 and en_US.UTF-8"
  locale-gen >/dev/null
fi

# Some virtual machines run 64-bit user code only: the kernel refuses i386
# executables ("Exec format error"), and with them Wine's 32-bit loader. There
# the loader runs through qemu's user-mode emulator, registered for i386 ELF
# files with binfmt_misc. qemu before 8 spends minutes starting each Wine
# process (its guest address-space bookkeeping), so it comes from Debian's
# backports; Wine's 64-bit server (wine64) keeps the server itself native.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  qemu_version=$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null || true)
  if ! dpkg --compare-versions "${qemu_version:-0}" ge 1:8 || ! have_pkg wine64; then
    echo "install-deps: this kernel runs no 32-bit code; installing qemu-user-static (backports) and wine64"
    cat >/etc/apt/sources.list.d/wrivo-backports.sources <<'SOURCES'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    export DEBIAN_FRONTEND=noninteractive
    apt_update
    apt_install -t bookworm-backports qemu-user-static
    apt_install wine64
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
  if [ ! -e "$binfmt/qemu-i386" ]; then
    echo "install-deps: running i386 programs through qemu-i386-static"
    # The magic and mask of an i386 ELF executable or shared object; F opens
    # the emulator now, so that it serves every program started later.
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' >"$binfmt/register"
  fi
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 || { echo "install-deps: 32-bit programs still cannot run" >&2; exit 1; }
fi

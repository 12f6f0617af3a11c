#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz/*_fuzz.cpp) with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer, and runs each for a while.
#   fuzz.sh OUTDIR [SECONDS_EACH]     (default 60; FUZZ_SECONDS also sets it)
# The portable sources of services/ and host/ go into one archive, so a target
# links only what it uses. Corpora stay in OUTDIR/corpus/NAME between runs; a
# crashing input is written to OUTDIR/crash-... and the script fails.
set -u
if [ $# -lt 1 ]; then
  echo "usage: $0 OUTDIR [SECONDS_EACH]" >&2
  exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
mkdir -p "$1"
out=$(cd "$1" && pwd)
seconds=${2:-${FUZZ_SECONDS:-60}}
cxx=${CXX_FUZZ:-clang++}

flags=(-std=c++20 -g -O1 -I"$root" -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
# Our literals are GBK in the product; clang may only know UTF-8 as the
# execution character set, in which case Chinese literals stay UTF-8 here
# (they only appear in texts the services build, never in what they scan).
if echo 'const char* s = "年";' | "$cxx" -x c++ -fsyntax-only -finput-charset=UTF-8 -fexec-charset=GBK - 2>/dev/null; then
  flags+=(-finput-charset=UTF-8 -fexec-charset=GBK)
else
  echo "fuzz: $cxx has no GBK execution character set; literals stay UTF-8 in the fuzz build"
fi

objects=()
mkdir -p "$out/obj"
for src in "$root"/services/*/*.cpp "$root"/host/*.cpp; do
  [ -e "$src" ] || continue
  case "$src" in *_win32.cpp) continue ;; esac
  obj="$out/obj/$(basename "$(dirname "$src")")_$(basename "$src" .cpp).o"
  if [ ! "$obj" -nt "$src" ] || find "$root/services" "$root/host" -name '*.h' -newer "$obj" 2>/dev/null | grep -q .; then
    "$cxx" "${flags[@]}" -c "$src" -o "$obj" || { echo "fuzz: $src does not build, left out"; rm -f "$obj"; continue; }
  fi
  objects+=("$obj")
done
rm -f "$out/libportable.a"
ar rcs "$out/libportable.a" "${objects[@]}"

status=0
for src in "$root"/tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$src" .cpp)
  echo "== $name: building"
  "$cxx" "${flags[@]}" -fsanitize=fuzzer "$src" "$out/libportable.a" -o "$out/$name" || { status=1; continue; }
  mkdir -p "$out/corpus/$name"
  echo "== $name: running ${seconds}s"
  (cd "$out" && ./"$name" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/$name-" \
      "corpus/$name" 2>"$out/$name.log")
  rc=$?
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$out/$name.log" | sed 's/^/   /'
  echo "   corpus: $(ls "$out/corpus/$name" | wc -l) inputs"
  if [ $rc -ne 0 ]; then
    echo "!! $name failed (exit $rc), see $out/$name.log"
    tail -30 "$out/$name.log"
    status=1
  fi
done
exit $status

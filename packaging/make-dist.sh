#!/usr/bin/env bash
# Packs a built Wrivo.exe for shipping:
#   make-dist.sh EXE OUTDIR VERSION
# EXE is the shipped program (already stripped). Writes into OUTDIR:
#   stage/                      what the zip holds
#   Wrivo-VERSION-win32.zip     the portable zip
#   Wrivo-VERSION-setup.exe     the per-user installer
set -euo pipefail
exe=$1 version=$3
mkdir -p "$2"
out=$(cd "$2" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")

stage=$out/stage
rm -rf "$stage"
mkdir -p "$stage"
cp "$exe" "$stage/Wrivo.exe"
# The guide is kept in UTF-8 in the tree (readable in any diff) and shipped as
# GBK with CRLF, which Wrivo itself and every Chinese Windows read. iconv
# refuses a character GBK has no form for, so such a guide never ships.
iconv -f UTF-8 -t GBK "$here/使用说明.txt" | sed 's/$/\r/' > "$stage/使用说明.txt"
sed 's/$/\r/' "$here/LICENSE.txt" > "$stage/LICENSE.txt"
sed 's/$/\r/' "$here/LICENSE-OpenCC.txt" > "$stage/LICENSE-OpenCC.txt"

zip_file=$out/Wrivo-$version-win32.zip
rm -f "$zip_file"
# -X leaves out Unix owners and ids. zip stores the Chinese name as UTF-8
# bytes; the fixer marks it as UTF-8 so Windows does not read it as OEM text.
(cd "$stage" && zip -q -X -9 "$zip_file" Wrivo.exe 使用说明.txt LICENSE.txt LICENSE-OpenCC.txt)
python3 "$root/tools/zip-utf8-names.py" "$zip_file"

makensis -V2 -WX -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DSTAGE="$stage" -DICON="$root/assets/wrivo.ico" \
  -DOUTFILE="$out/Wrivo-$version-setup.exe" \
  "$here/wrivo.nsi"

# The size goal of the shipped program (3 MB) is reported here, not asserted.
for f in "$stage/Wrivo.exe" "$zip_file" "$out/Wrivo-$version-setup.exe"; do
  printf 'make-dist: %-26s %9d bytes\n' "$(basename "$f")" "$(stat -c %s "$f")"
done

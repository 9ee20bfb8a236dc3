#!/usr/bin/env bash
# GNU tar on both sides of the tar library's tests (run natively, outside Wine):
#   gnu-tar.sh make DIR    makes DIR/source and GNU tar's archives of it
#                          (gnu.tar: GNU format; pax.tar.gz: POSIX pax, gzip)
#   gnu-tar.sh check DIR   lists and extracts the archives the Wine test made
#                          (DIR/ours.tar, DIR/ours.tgz of DIR/ours-source) and
#                          compares every file byte for byte
set -euo pipefail
export LC_ALL=C
step=$1 dir=$2
sjis=$'\x95\x5c\x83\x5c.txt'   # 表ソ.txt in code page 932: both trail bytes are 0x5C
long_folder=$(printf 'folder-%.0s' {1..14})   # 98 bytes
long_name=$(printf 'n%.0s' {1..150}).txt

if [ "$step" = make ]; then
  rm -rf "$dir"
  mkdir -p "$dir/source/folder" "$dir/source/$long_folder"
  printf 'plain\n' > "$dir/source/plain.txt"
  head -c 70000 /dev/urandom > "$dir/source/folder/inner.bin"
  : > "$dir/source/empty.dat"
  printf 'deep\n' > "$dir/source/$long_folder/deep file.txt"
  printf 'long\n' > "$dir/source/$long_name"
  printf 'sjis\n' > "$dir/source/$sjis"
  members=(plain.txt folder empty.dat "$long_folder" "$long_name" "$sjis")
  tar --format=gnu -cf "$dir/gnu.tar" -C "$dir/source" "${members[@]}"
  tar --format=posix -czf "$dir/pax.tar.gz" -C "$dir/source" "${members[@]}"
  exit 0
fi

# check: what the library made must list and extract byte-identically.
status=0
for archive in ours.tar ours.tgz; do
  if [ ! -f "$dir/$archive" ]; then
    echo "gnu-tar: $dir/$archive was not made by the Wine test" >&2
    status=1
    continue
  fi
  tar --quoting-style=literal -tvf "$dir/$archive" > "$dir/$archive.list" || { echo "gnu-tar: tar -tvf $archive failed" >&2; status=1; continue; }
  out="$dir/gnu-extract-$archive"
  rm -rf "$out" && mkdir -p "$out"
  tar -xf "$dir/$archive" -C "$out" || { echo "gnu-tar: tar -xf $archive failed" >&2; status=1; continue; }
  # Every file of the source, under the same name (ASCII names) ...
  while IFS= read -r -d '' f; do
    rel=${f#"$dir/ours-source/"}
    case $rel in *[![:print:]]*|*表*) continue ;; esac
    cmp -s "$f" "$out/$rel" || { echo "gnu-tar: $archive: $rel differs" >&2; status=1; }
  done < <(find "$dir/ours-source" -type f -print0)
  # ... and the code-page-932 name as the archive holds it.
  cmp -s "$dir/ours-source/表ソ.txt" "$out/$sjis" || { echo "gnu-tar: $archive: the Shift-JIS name" >&2; status=1; }
  grep -qF "$sjis" "$dir/$archive.list" || { echo "gnu-tar: $archive: the listing lacks the Shift-JIS name" >&2; status=1; }
done
[ $status -eq 0 ] && echo "gnu-tar: the library's archives list and extract with GNU tar byte for byte"
exit $status

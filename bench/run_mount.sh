#!/usr/bin/env bash
# Mount benchmark: the program's own mount then unmount of a 200 MB package with a ClientZips.txt
# of 100,000 lines (mount_bench), side by side in one run with `cp` of the same package, which is
# the floor: a mount copies the package once.
#
#   bench/run_mount.sh
#
# The package (200 MB, stored members of random bytes) is made once in build/bench.
# Each tool runs twice and keeps its better run; `sync` runs before every timed run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build/bench/mount
lines=100000
runs=2

(cd "$root" && cmake --preset native >/dev/null && cmake --build --preset native --target mount_bench >/dev/null)
bench=$root/build/native/bench/mount_bench
package=$root/build/bench/mount-200MB.zip
if [ ! -f "$package" ]; then
  mkdir -p "$(dirname "$package")"
  python3 - "$package" <<'PY'
import os, sys, zipfile
with zipfile.ZipFile(sys.argv[1] + ".part", "w", zipfile.ZIP_STORED) as z:
    for i in range(100):
        z.writestr("DATA/Characters/Ahri/Skins/Skin01/Ahri_%03d_TX_CM.dds" % i, os.urandom(2000000))
os.rename(sys.argv[1] + ".part", sys.argv[1])
PY
fi
size_mb=$(( $(stat -c %s "$package") / 1000000 ))

best_cp=""
best_mount=""
best_unmount=""
for ((i = 0; i < runs; i++)); do
  rm -rf "$work" && mkdir -p "$work"
  sync
  start=$(date +%s%N)
  cp "$package" "$work/copy.zip"
  end=$(date +%s%N)
  t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", (b - a) / 1e9 }')
  [ -z "$best_cp" ] || awk -v a="$t" -v b="$best_cp" 'BEGIN { exit !(a < b) }' && best_cp=$t

  rm -rf "$work" && mkdir -p "$work"
  sync
  read -r m u < <("$bench" "$package" "$work/program" "$lines")
  total=$(awk -v a="$m" -v b="$u" 'BEGIN { printf "%.3f", a + b }')
  if [ -z "$best_mount" ] || awk -v a="$total" -v b="$best_mount" -v c="$best_unmount" 'BEGIN { exit !(a < b + c) }'; then
    best_mount=$m
    best_unmount=$u
  fi
done
rm -rf "$work"

printf '%s MB package, ClientZips.txt of %d lines, best of %d runs\n' "$size_mb" "$lines" "$runs"
printf '%-22s %8s\n' "tool" "wall s"
printf '%-22s %8s\n' "cp (floor)" "$best_cp"
printf '%-22s %8s\n' "mount" "$best_mount"
printf '%-22s %8s\n' "unmount" "$best_unmount"
awk -v m="$best_mount" -v u="$best_unmount" -v c="$best_cp" \
  'BEGIN { printf "%-22s %8.3f   %.2f x cp\n", "mount + unmount", m + u, (m + u) / c }'

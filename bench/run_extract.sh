#!/usr/bin/env bash
# Extraction benchmark: the program's own extraction (extract_bench: extraction, then champion
# detection) against `unzip -o -q` and `bsdtar -xf` on the same skin-like packages, side by side.
#
#   bench/run_extract.sh [small|medium|large ...]      (default: all three)
#
# Builds extract_bench in the native preset (MOYU_BENCH_BUILD=dir builds there instead), makes the
# packages once into build/bench/packages (kept between runs, never committed), then for each
# package runs every tool twice into fresh empty folders and keeps each tool's better run. The
# page cache cannot be dropped here, so all tools read an archive that is already cached, and
# `sync` runs before every timed run so no tool pays for another's writes.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build/bench
packages=$work/packages
runs=2

need_packages=()
command -v unzip >/dev/null || need_packages+=(unzip)
command -v bsdtar >/dev/null || need_packages+=(libarchive-tools)
if [ ${#need_packages[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "installing ${need_packages[*]}"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need_packages[@]}" >/dev/null
fi

if [ -n "${MOYU_BENCH_BUILD:-}" ]; then
  build=$MOYU_BENCH_BUILD
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target extract_bench >/dev/null
else
  build=$root/build/native
  (cd "$root" && cmake --preset native >/dev/null && cmake --build --preset native --target extract_bench >/dev/null)
fi
bench=$build/bench/extract_bench

keys=("$@")
[ ${#keys[@]} -gt 0 ] || keys=(small medium large)
mapfile -t archives < <(python3 "$root/bench/make_packages.py" "$packages" "${keys[@]}")

# measure OUTFILE COMMAND...: runs the command, its output to OUTFILE; prints "wall_seconds peak_kb".
# The wall time is taken here to the nanosecond for every tool alike; the peak memory comes from
# GNU time, or where there is none from Python's getrusage of the child.
measure() {
  local out=$1 stats start end peak
  shift
  stats=$(mktemp)
  start=$(date +%s%N)
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -o "$stats" -f "%M" "$@" >"$out" 2>&1 || { cat "$out" >&2; rm -f "$stats"; return 1; }
  else
    python3 -c 'import resource, subprocess, sys
code = subprocess.call(sys.argv[2:], stdout=open(sys.argv[1], "wb"), stderr=subprocess.STDOUT)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
sys.exit(code)' "$out" "$@" >"$stats" || { cat "$out" >&2; rm -f "$stats"; return 1; }
  fi
  end=$(date +%s%N)
  peak=$(tail -n 1 "$stats")
  rm -f "$stats"
  awk -v ns=$((end - start)) -v kb="$peak" 'BEGIN { printf "%.3f %s\n", ns / 1e9, kb }'
}

tools=(ours unzip bsdtar)
report=$work/report.txt
: >"$report"
printf '%-16s %-7s %8s %8s %9s %12s\n' package tool "wall s" "MB/s" "peak MB" "ours/tool" | tee -a "$report"

for archive in "${archives[@]}"; do
  name=$(basename "$archive")
  megabytes=$(python3 -c 'import sys, zipfile; print(sum(i.file_size for i in zipfile.ZipFile(sys.argv[1]).infolist()) / 1048576)' "$archive")
  declare -A best_wall=() best_kb=()
  for ((run = 1; run <= runs; run++)); do
    for tool in "${tools[@]}"; do
      dest=$work/out-$tool
      rm -rf "$dest"
      mkdir -p "$dest"
      sync
      case $tool in
        ours) cmd=("$bench" "$archive" "$dest") ;;
        unzip) cmd=(unzip -o -q "$archive" -d "$dest") ;;
        bsdtar) cmd=(bsdtar -xf "$archive" -C "$dest") ;;
      esac
      figures=$(measure "$work/log-$tool.txt" "${cmd[@]}") || { echo "$name: $tool failed" >&2; exit 1; }
      read -r wall kb <<<"$figures"
      if [ -z "${best_wall[$tool]:-}" ] || awk -v a="$wall" -v b="${best_wall[$tool]}" 'BEGIN { exit !(a < b) }'; then
        best_wall[$tool]=$wall
        best_kb[$tool]=$kb
      fi
    done
  done
  # The outputs must agree before their times mean anything.
  diff -rq "$work/out-ours" "$work/out-unzip" >/dev/null || { echo "$name: ours and unzip extracted different trees" >&2; exit 1; }
  diff -rq "$work/out-ours" "$work/out-bsdtar" >/dev/null || { echo "$name: ours and bsdtar extracted different trees" >&2; exit 1; }
  for tool in "${tools[@]}"; do
    awk -v p="$name" -v t="$tool" -v w="${best_wall[$tool]}" -v kb="${best_kb[$tool]}" -v mb="$megabytes" \
        -v ours="${best_wall[ours]}" 'BEGIN {
          ratio = t == "ours" ? "" : sprintf("%.2f", ours / w)
          printf "%-16s %-7s %8.3f %8.0f %9.1f %12s\n", p, t, w, mb / w, kb / 1024, ratio
        }' | tee -a "$report"
  done
  echo "  extract_bench: $(grep -E '^(label|icon|peak)' "$work/log-ours.txt" | paste -sd ' ')" | tee -a "$report"
  rm -rf "$work"/out-*
  unset best_wall best_kb
done
echo "table kept in $report"

#!/usr/bin/env bash
# Times loopcost end to end on generated programs of three shapes, at half and at full size,
# next to `wc -w` on the same file. Usage: bench/run.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
out=bench/out
runs=${RUNS:-7}
mkdir -p "$out"

# Median wall time in seconds and peak resident memory in KiB of "$@" with stdin from $input.
measure() {
  local times=() peak=0 start end rss
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$out/rss" "$@" < "$input" > /dev/null
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
    rss=$(tail -1 "$out/rss")
    ((rss > peak)) && peak=$rss
  done
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
  echo "$(awk -v us="$median" 'BEGIN { printf "%.3f", us / 1e6 }') $peak"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

printf '%-10s %5s %9s %9s %9s %7s %9s %8s\n' shape size MB loopcost 'wc -w' ratio 'peak MB' 'B/byte'
for shape_and_size in "list 1000000" "expression 100" "nesting 2000"; do
  set -- $shape_and_size
  shape=$1 full=$2
  declare -A seconds=()
  for size in half full; do
    count=$([[ $size == half ]] && echo $((full / 2)) || echo "$full")
    file="$out/$shape-$size.txt"
    "$build/bench_generate" "$shape" "$count" > "$file"
    bytes=$(stat -c %s "$file")
    printf '%s\n' "$file" > "$out/name"
    input="$out/name"
    read -r tool peak <<< "$(measure "$build/loopcost")"
    input=$file
    read -r words _ <<< "$(measure wc -w)"
    seconds[$size]=$tool
    printf '%-10s %5s %9.1f %9s %9s %7s %9.1f %8.1f\n' "$shape" "$size" \
      "$(ratio "$bytes" 1e6)" "$tool" "$words" "$(ratio "$tool" "$words")" \
      "$(ratio "$peak" 1024)" "$(ratio "$((peak * 1024))" "$bytes")"
  done
  echo "$shape: full/half time ratio $(ratio "${seconds[full]}" "${seconds[half]}")"
done

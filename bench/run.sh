#!/usr/bin/env bash
# Times loopcost end to end on generated programs of three shapes with hyperfine, next to `wc -w`
# on the same file and on a program of half the size; given a git revision, also next to a build
# of that revision, run in the same hyperfine call, interleaved round by round, so that both
# builds meet the same load on a shared machine. Then times the phases of a run with
# bench_phases, when the build has it. Needs hyperfine, jq and /usr/bin/time.
# Usage: bench/run.sh BUILD_DIR [BASELINE_REVISION]
# ROUNDS (default 7) rounds of RUNS (default 3) measured runs each, after one warm-up run.
set -euo pipefail
build=$1
revision=${2:-}
rounds=${ROUNDS:-7}
runs=${RUNS:-3}
out=bench/out
scratch=build-bench
mkdir -p "$out"

for tool in hyperfine jq /usr/bin/time; do
  command -v "$tool" > /dev/null || { echo "make bench needs $tool (Debian: apt-get install ${tool##*/})" >&2; exit 1; }
done

# Builds the tool of $revision from a scratch copy of that revision, which is removed after.
build_baseline() {
  local commit
  commit=$(git rev-parse --verify --quiet "$revision^{commit}") ||
    { echo "not a git revision: $revision" >&2; exit 1; }
  trap 'rm -rf "$scratch"' EXIT
  rm -rf "$scratch"
  mkdir -p "$scratch/source"
  git archive "$commit" | tar -x -C "$scratch/source"
  echo "building the baseline $revision ($(git log -1 --format=%h "$commit")) in $scratch/"
  cmake -S "$scratch/source" -B "$scratch/build" -DCMAKE_BUILD_TYPE=Release \
    -DLOOPCOST_TESTS=OFF > "$scratch/configure.log"
  cmake --build "$scratch/build" -j "${JOBS:-2}" --target loopcost > "$scratch/build.log"
  cp "$scratch/build/loopcost" "$out/loopcost-baseline"
  rm -rf "$scratch"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Peak resident memory in bytes of one run of "$1" with standard input from "$2".
peak_bytes() {
  /usr/bin/time -f %M -o "$out/rss" "$1" < "$2" > /dev/null
  echo $(($(tail -1 "$out/rss") * 1024))
}

# The median over all rounds of the runs named $2 in hyperfine's JSON export $1.
median() {
  jq -r --arg name "$2" '[.results[] | select(.command | sub(" #[0-9]+$"; "") == $name)
    | .times[]] | sort | if length % 2 == 1 then .[(length - 1) / 2]
    else (.[length / 2 - 1] + .[length / 2]) / 2 end' "$1"
}

# The smallest and largest ratio of the round medians of runs $2 to those of runs $3.
round_ratios() {
  jq -r --arg a "$2" --arg b "$3" '
    def median: sort | if length % 2 == 1 then .[(length - 1) / 2]
      else (.[length / 2 - 1] + .[length / 2]) / 2 end;
    def rounds($name): [.results[] | select(.command | sub(" #[0-9]+$"; "") == $name)
      | {key: .parameters.round, value: (.times | median)}] | from_entries;
    rounds($a) as $x | rounds($b) as $y | [$x | keys[] | $x[.] / $y[.]] | "\(min) \(max)"' "$1" |
    awk '{ printf "%.2f–%.2f", $1, $2 }'
}

[[ -n $revision ]] && build_baseline
tool=$build/loopcost
baseline=$out/loopcost-baseline
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
echo
echo "loopcost on $cpu ($(nproc) cores)${revision:+, against $revision}"
echo "hyperfine: $rounds interleaved rounds of 1 warm-up and $runs measured runs per command;"
echo "times are medians of all $((rounds * runs)) measured runs; ratios in brackets: range of the rounds"
echo
header='| shape | input | loopcost | `wc -w` | × `wc -w` | 2× input | peak memory | per input byte |'
rule='|---|---|---|---|---|---|---|---|'
if [[ -n $revision ]]; then
  header+=' baseline | ratio | baseline per byte |'
  rule+='---|---|---|'
fi
rows=()
for shape_and_size in "list 1000000" "expression 100" "nesting 2000"; do
  read -r shape full <<< "$shape_and_size"
  for size in half full; do
    "$build/bench_generate" "$shape" $([[ $size == half ]] && echo $((full / 2)) || echo "$full") \
      > "$out/$shape-$size.txt"
    echo "$out/$shape-$size.txt" > "$out/$shape-$size.name"
  done
  labels=(loopcost "loopcost, half input" "wc -w")
  commands=("$tool < $out/$shape-full.name" "$tool < $out/$shape-half.name"
    "wc -w < $out/$shape-full.txt")
  if [[ -n $revision ]]; then
    labels+=("baseline")
    commands+=("$baseline < $out/$shape-full.name")
  fi
  names=()
  for ((round = 1; round <= rounds; round++)); do
    for label in "${labels[@]}"; do names+=(-n "$label #$round"); done
  done
  hyperfine --style none --warmup 1 --runs "$runs" -L round "$(seq -s, 1 "$rounds")" "${names[@]}" \
    --export-json "$out/$shape.json" --export-markdown "$out/$shape.md" "${commands[@]}" \
    2> "$out/$shape.log" || { cat "$out/$shape.log" >&2; exit 1; }
  json=$out/$shape.json
  bytes=$(stat -c %s "$out/$shape-full.txt")
  seconds=$(median "$json" loopcost)
  words=$(median "$json" "wc -w")
  peak=$(peak_bytes "$tool" "$out/$shape-full.name")
  row="| $shape | $(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1e6 }') MB | $(printf %.3f "$seconds") s"
  row+=" | $(printf %.3f "$words") s | $(ratio "$seconds" "$words")"
  row+=" | $(ratio "$seconds" "$(median "$json" "loopcost, half input")")×"
  row+=" | $(awk -v b="$peak" 'BEGIN { printf "%.0f", b / 1e6 }') MB | $(ratio "$peak" "$bytes") B |"
  if [[ -n $revision ]]; then
    base_seconds=$(median "$json" baseline)
    row+=" $(printf %.3f "$base_seconds") s | **$(ratio "$seconds" "$base_seconds")**"
    row+=" ($(round_ratios "$json" loopcost baseline))"
    row+=" | $(ratio "$(peak_bytes "$baseline" "$out/$shape-full.name")" "$bytes") B |"
  fi
  rows+=("$row")
done
printf '%s\n' "$header" "$rule" "${rows[@]}"
echo
echo "hyperfine's own tables and warnings: $out/{list,expression,nesting}.{md,log}"

# The analysis on programs that stress it: 400,000 statements plain, explained and in JSON
# (time and memory against the plain run), 1000 nested n-loops, and degree 180 under 30 models.
"$build/bench_generate" list 400000 > "$out/statements.txt"
"$build/bench_generate" deep 1000 > "$out/deep.txt"
"$build/bench_generate" degree 180 > "$out/degree.txt"
models30=()
for i in $(seq 1 30); do models30+=(--cpu "$i,$((31 - i))"); done
analysis_labels=("400,000 statements" "400,000 statements, --explain" "400,000 statements, JSON"
  "1000 nested loops, --explain" "1000 nested loops, JSON" "degree 180, 30 models, --explain")
analysis_commands=("$tool $out/statements.txt" "$tool -x $out/statements.txt"
  "$tool -f json $out/statements.txt" "$tool -x $out/deep.txt" "$tool -f json $out/deep.txt"
  "$tool -x ${models30[*]} $out/degree.txt")
names=()
for label in "${analysis_labels[@]}"; do names+=(-n "$label"); done
hyperfine --style none --warmup 1 --runs "$runs" "${names[@]}" --export-json "$out/analysis.json" \
  "${analysis_commands[@]}" 2> "$out/analysis.log" || { cat "$out/analysis.log" >&2; exit 1; }
echo
echo "The analysis, $runs runs each (median):"
echo
echo '| case | time | × plain | peak memory | × plain |'
echo '|---|---|---|---|---|'
plain_seconds=$(median "$out/analysis.json" "${analysis_labels[0]}")
for i in "${!analysis_labels[@]}"; do
  read -ra command <<< "${analysis_commands[$i]}"
  /usr/bin/time -f %M -o "$out/rss" "${command[@]}" > /dev/null
  peak=$(($(tail -1 "$out/rss") * 1024))
  ((i == 0)) && plain_peak=$peak
  seconds=$(median "$out/analysis.json" "${analysis_labels[$i]}")
  row="| ${analysis_labels[$i]} | $(printf %.3f "$seconds") s"
  if ((i < 3)); then
    row+=" | $(ratio "$seconds" "$plain_seconds")× | $((peak / 1000000)) MB | $(ratio "$peak" "$plain_peak")× |"
  else
    row+=" | | $((peak / 1000000)) MB | |"
  fi
  echo "$row"
done

if [[ -x $build/bench_phases ]]; then
  echo
  echo "Phases of a run at full size (s_per_MB: time per megabyte of program text):"
  "$build/bench_phases" --benchmark_min_time=0.3 2>&1 | sed -n '/^Benchmark/,$p'
fi

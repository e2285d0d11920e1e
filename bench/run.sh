#!/usr/bin/env bash
# Times loopcost as people run it, with hyperfine: warm runs back to back on large generated
# programs of three shapes (next to `wc -w` on the same file and the tool on half of it), cold
# runs after an idle pause, a tiny program, and 2,000 small files in one process; given a git
# revision, also a build of that revision, interleaved round by round (or alternating, cold), so
# that both builds meet the same load on a shared machine. Then the analysis on programs that
# stress it, and the phases of a run with bench_phases when the build has it.
# Needs hyperfine, jq and /usr/bin/time.
# Usage: bench/run.sh BUILD_DIR [BASELINE_REVISION]
# ROUNDS (default 7) rounds of RUNS (default 3) measured runs each, after one warm-up run;
# COLD_RUNS (default 5) cold runs per build and shape, each after PAUSE (default 8) idle seconds.
set -euo pipefail
build=$1
revision=${2:-}
rounds=${ROUNDS:-7}
runs=${RUNS:-3}
cold_runs=${COLD_RUNS:-5}
pause=${PAUSE:-8}
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
seconds() { printf '%.3f s' "$1"; }
megabytes() { awk -v b="$1" 'BEGIN { printf "%.0f MB", b / 1e6 }'; }

# Peak resident memory in bytes of one run of the shell command $1.
peak_bytes() {
  /usr/bin/time -f %M -o "$out/rss" bash -c "$1" > /dev/null
  echo $(($(tail -1 "$out/rss") * 1024))
}

# The median of the runs named $2 (with or without a " #round" suffix) in the JSON exports $1...
median() {
  local name=$1
  shift
  jq -s -r --arg name "$name" '[.[].results[] | select(.command | sub(" #[0-9]+$"; "") == $name)
    | .times[]] | sort | if length % 2 == 1 then .[(length - 1) / 2]
    else (.[length / 2 - 1] + .[length / 2]) / 2 end' "$@"
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

# Warm: hyperfine runs the labelled commands ($1: a name for the export, then label and
# command pairs) in $rounds interleaved rounds of one warm-up and $runs measured runs each.
warm() {
  local export=$out/$1.json
  shift
  local labels=() commands=() names=() label round
  while (($#)); do
    labels+=("$1")
    commands+=("$2")
    shift 2
  done
  for ((round = 1; round <= rounds; round++)); do
    for label in "${labels[@]}"; do names+=(-n "$label #$round"); done
  done
  hyperfine --style none --warmup 1 --runs "$runs" -L round "$(seq -s, 1 "$rounds")" "${names[@]}" \
    --export-json "$export" "${commands[@]}" 2> "$out/hyperfine.log" ||
    { cat "$out/hyperfine.log" >&2; exit 1; }
}

# Cold: each measured run of each build after $pause idle seconds, the builds alternating.
cold() {
  local name=$1 command=$2 base_command=${3:-}
  rm -f "$out/$name-cold-"*.json
  for ((run = 1; run <= cold_runs; run++)); do
    hyperfine --style none --runs 1 --prepare "sleep $pause" -n loopcost \
      --export-json "$out/$name-cold-a$run.json" "$command" > /dev/null 2>&1
    [[ -n $base_command ]] && hyperfine --style none --runs 1 --prepare "sleep $pause" \
      -n baseline --export-json "$out/$name-cold-b$run.json" "$base_command" > /dev/null 2>&1
  done
  return 0
}

# One row of the A/B table: case label, loopcost's median, the baseline's, the range of the
# round ratios, and both peak memories.
ab_row() {
  local label=$1 mine=$2 theirs=$3 range=$4 command=$5 base_command=$6
  local row="| $label | $(seconds "$mine")"
  local peak
  peak=$(peak_bytes "$command")
  if [[ -n $revision ]]; then
    local base_peak
    base_peak=$(peak_bytes "$base_command")
    row+=" | $(seconds "$theirs") | **$(ratio "$mine" "$theirs")**${range:+ ($range)}"
    row+=" | $(megabytes "$peak") | $(megabytes "$base_peak") | $(ratio "$peak" "$base_peak")"
  else
    row+=" | $(megabytes "$peak")"
  fi
  ab_rows+=("$row |")
}

[[ -n $revision ]] && build_baseline
tool=$build/loopcost
baseline=$out/loopcost-baseline
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
echo
echo "loopcost on $cpu ($(nproc) cores)${revision:+, against $revision}"
echo "warm: $rounds interleaved rounds of 1 warm-up and $runs measured runs per command;"
echo "cold: $cold_runs runs per build, each after $pause idle seconds, the builds alternating;"
echo "times are medians; ratios in brackets: range of the rounds"

ab_rows=()
scaling_rows=()
for shape_and_size in "list 1000000" "expression 100" "nesting 2000"; do
  read -r shape full <<< "$shape_and_size"
  for size in half full; do
    "$build/bench_generate" "$shape" $([[ $size == half ]] && echo $((full / 2)) || echo "$full") \
      > "$out/$shape-$size.txt"
    echo "$out/$shape-$size.txt" > "$out/$shape-$size.name"
  done
  command="$tool < $out/$shape-full.name"
  base_command="$baseline < $out/$shape-full.name"
  pairs=(loopcost "$command" "loopcost, half input" "$tool < $out/$shape-half.name"
    "wc -w" "wc -w < $out/$shape-full.txt")
  [[ -n $revision ]] && pairs+=(baseline "$base_command")
  warm "$shape" "${pairs[@]}"
  json=$out/$shape.json
  mine=$(median loopcost "$json")
  range=""
  theirs=""
  if [[ -n $revision ]]; then
    theirs=$(median baseline "$json")
    range=$(round_ratios "$json" loopcost baseline)
  fi
  ab_row "$shape, warm" "$mine" "$theirs" "$range" "$command" "$base_command"
  bytes=$(stat -c %s "$out/$shape-full.txt")
  scaling_rows+=("| $shape | $(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1e6 }') MB | $(ratio "$mine" "$(median "wc -w" "$json")") | $(ratio "$mine" "$(median "loopcost, half input" "$json")")× | $(ratio "$(peak_bytes "$command")" "$bytes") B |")
done

for shape in list expression nesting; do
  command="$tool < $out/$shape-full.name"
  base_command="$baseline < $out/$shape-full.name"
  cold "$shape" "$command" "$([[ -n $revision ]] && echo "$base_command")"
  mine=$(median loopcost "$out/$shape-cold-a"*.json)
  theirs=$([[ -n $revision ]] && median baseline "$out/$shape-cold-b"*.json || true)
  ab_row "$shape, cold" "$mine" "$theirs" "" "$command" "$base_command"
done

# A program of seven lines, as people write them, and 2,000 of them in one run (as arguments;
# the baseline may only know the console, so it is fed their names).
echo examples/linear_search.txt > "$out/tiny.name"
rm -rf "$out/files"
mkdir -p "$out/files"
examples=(examples/*.txt)
for ((i = 0; i < 2000; i++)); do cp "${examples[i % ${#examples[@]}]}" "$out/files/$i.txt"; done
printf '%s\n' "$out"/files/*.txt > "$out/files.names"
for case in tiny files; do
  if [[ $case == tiny ]]; then
    command="$tool < $out/tiny.name"
    base_command="$baseline < $out/tiny.name"
    label="a 7-line program"
  else
    command="$tool $out/files/*.txt"
    base_command="$baseline < $out/files.names"
    label="2,000 small files"
  fi
  pairs=(loopcost "$command")
  [[ -n $revision ]] && pairs+=(baseline "$base_command")
  case_runs=$runs
  [[ $case == tiny ]] && case_runs=$((runs * 10))  # a few milliseconds each: many more runs
  runs=$case_runs warm "$case" "${pairs[@]}"
  json=$out/$case.json
  mine=$(median loopcost "$json")
  theirs=""
  range=""
  if [[ -n $revision ]]; then
    theirs=$(median baseline "$json")
    range=$(round_ratios "$json" loopcost baseline)
  fi
  ab_row "$label" "$mine" "$theirs" "$range" "$command" "$base_command"
done

echo
if [[ -n $revision ]]; then
  echo '| case | loopcost | baseline | ratio | peak memory | baseline | ratio |'
  echo '|---|---|---|---|---|---|---|'
else
  echo '| case | loopcost | peak memory |'
  echo '|---|---|---|'
fi
printf '%s\n' "${ab_rows[@]}"
echo
echo "The shapes warm, at full size: time against \`wc -w\` on the same file and against half of it,"
echo "and peak memory per input byte:"
echo
echo '| shape | input | × `wc -w` | 2× input | memory per input byte |'
echo '|---|---|---|---|---|'
printf '%s\n' "${scaling_rows[@]}"

# The analysis on programs that stress it: 400,000 statements plain, explained and in JSON
# (time and memory against the plain run), 1000 nested n-loops, and degree 180 under 30 models.
"$build/bench_generate" list 400000 > "$out/statements.txt"
"$build/bench_generate" deep 1000 > "$out/deep.txt"
"$build/bench_generate" degree 180 > "$out/degree.txt"
models30=()
for i in $(seq 1 30); do models30+=(--cpu "$i,$((31 - i))"); done
analysis=("400,000 statements" "$tool $out/statements.txt"
  "400,000 statements, --explain" "$tool -x $out/statements.txt"
  "400,000 statements, JSON" "$tool -f json $out/statements.txt"
  "1000 nested loops, --explain" "$tool -x $out/deep.txt"
  "1000 nested loops, JSON" "$tool -f json $out/deep.txt"
  "degree 180, 30 models, --explain" "$tool -x ${models30[*]} $out/degree.txt")
rounds=1 warm analysis "${analysis[@]}"
echo
echo "The analysis, median of $runs runs:"
echo
echo '| case | time | × plain | peak memory | × plain |'
echo '|---|---|---|---|---|'
plain_seconds=$(median "${analysis[0]}" "$out/analysis.json")
plain_peak=$(peak_bytes "${analysis[1]}")
for ((i = 0; i < ${#analysis[@]}; i += 2)); do
  time=$(median "${analysis[i]}" "$out/analysis.json")
  peak=$(peak_bytes "${analysis[i + 1]}")
  row="| ${analysis[i]} | $(seconds "$time")"
  if ((i < 6)); then
    row+=" | $(ratio "$time" "$plain_seconds")× | $(megabytes "$peak") | $(ratio "$peak" "$plain_peak")× |"
  else
    row+=" | | $(megabytes "$peak") | |"
  fi
  echo "$row"
done

echo
echo "The language server, a keystroke (a full-text change) in a program of the list shape, then"
echo "its lenses and the hints of the 60 lines in view, median:"
echo
servers=("$tool")
[[ -n $revision ]] && servers+=("$baseline")
"$build/bench_keystroke" "${servers[@]}" -- 1000 100000 line:30000

if [[ -x $build/bench_phases ]]; then
  echo
  echo "Phases of a run at full size (s_per_MB: time per megabyte of program text):"
  "$build/bench_phases" --benchmark_min_time=0.3 2>&1 | sed -n '/^Benchmark/,$p'
fi

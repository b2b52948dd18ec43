#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build/fuzz and runs each for a while, starting from its
# committed seeds in fuzz/corpus/<target>/ and what earlier runs found. Prints, per target,
# the executions, the seconds, the coverage gained and what crashed. Exits 1 when a target
# crashed, hung or broke one of its checks; the input that did it is kept in
# build/fuzz/findings/, and `build/fuzz/fuzz/<target>_fuzzer FILE` repeats it.
#
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#   SECONDS_PER_TARGET  default 60
#   TARGET              e.g. smiles molfile; default every target
# Environment: FUZZ_JOBS, targets run at once (default: the processor count).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
[[ $seconds =~ ^[1-9][0-9]*$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]" >&2; exit 2; }

# Each target: its longest input in bytes, its dictionary, and whether leaks are looked for.
# RDKit's molfile parser loses the molecule it was building on some refusals (a bond to an
# atom that does not exist, a truncated V3000 block); those leaks are RDKit's, so the
# molfile targets do not look for leaks and may use more memory before the run stops.
declare -A max_len=() dict=() leaks=()
add_target() { max_len[$1]=$2; dict[$1]=$3; leaks[$1]=$4; }
add_target smiles 4096 smiles.dict yes
add_target smiles_line 4096 smiles.dict yes
add_target molfile 8192 molfile.dict no
add_target sdf_record 8192 molfile.dict no
add_target command_line 1024 command_line.dict yes
add_target edge_line 2048 edge_line.dict yes
add_target graph6 2048 graph6.dict yes
add_target sparse6 2048 sparse6.dict yes
add_target record_splitter 2048 record_splitter.dict yes
add_target table_reader 4096 table_reader.dict yes
add_target tree_file 4096 tree_file.dict yes

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DKORVELANT_FUZZ=ON \
  -DKORVELANT_TESTS=OFF -DKORVELANT_BENCHMARKS=OFF -DKORVELANT_WINDOW=OFF -DKORVELANT_PYTHON=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target korvelant_fuzzers

# Every target built must be listed above, so that none is silently left out.
for binary in "$build"/fuzz/*_fuzzer; do
  name=$(basename "$binary" _fuzzer)
  [[ -v "max_len[$name]" ]] || { echo "fuzz.sh: no settings for target $name" >&2; exit 2; }
done

if (($# > 0)); then targets=("$@"); else mapfile -t targets < <(printf '%s\n' "${!max_len[@]}" | sort); fi
for target in "${targets[@]}"; do
  [[ -v "max_len[$target]" ]] || { echo "fuzz.sh: unknown target $target" >&2; exit 2; }
done

work=$build/work        # corpus entries found by earlier runs, per target
findings=$build/findings
logs=$build/logs
mkdir -p "$work" "$findings" "$logs"
export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# New corpus entries go to the first folder, the work one; the committed seeds stay as they
# are. An input running 10 s is a hang, one allocation of 2 GB a fault; an input running
# 2 s is kept as slow-unit-* and counted, without failing the run (a busy machine may be slow).
run_target() {
  local target=$1 detect=1 rss=2048 started=$SECONDS code=0
  if [[ ${leaks[$target]} == no ]]; then detect=0 rss=4096; fi
  mkdir -p "$work/$target"
  ASAN_OPTIONS=detect_leaks=$detect "$build/fuzz/${target}_fuzzer" \
    "$work/$target" "fuzz/corpus/$target" -max_total_time="$seconds" \
    -max_len="${max_len[$target]}" -dict="fuzz/${dict[$target]}" -detect_leaks=$detect \
    -timeout=10 -report_slow_units=2 -rss_limit_mb=$rss -malloc_limit_mb=2048 \
    -artifact_prefix="$findings/$target-" -print_final_stats=1 >"$logs/$target.log" 2>&1 || code=$?
  echo $((SECONDS - started)) >"$logs/$target.seconds"
  return $code
}

echo "Fuzzing ${#targets[@]} targets for $seconds s each; logs in $logs"
jobs=${FUZZ_JOBS:-$(nproc)}
declare -A status=()
pids=()
for target in "${targets[@]}"; do
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n || true; done
  run_target "$target" &
  pids+=("$!")
done
for k in "${!targets[@]}"; do
  if wait "${pids[$k]}"; then status[${targets[$k]}]=0; else status[${targets[$k]}]=$?; fi
done

stat() { sed -n "s/^stat::$2: *//p" "$logs/$1.log" | tail -n 1; }
# The coverage (edges reached) libFuzzer reported last on a line marked `$2`, or on any.
coverage() { sed -n "s/^#[0-9]*[[:space:]]*$2.* cov: \([0-9]*\).*/\1/p" "$logs/$1.log" | tail -n 1; }

failed=0
format='%-16s %11s %7s %8s %6s %7s %4s  %s\n'
printf "$format" target executions seconds coverage +cov +inputs slow result
for target in "${targets[@]}"; do
  executions=$(stat "$target" number_of_executed_units)
  [[ -n $executions ]] || executions=$(sed -n 's/^#\([0-9]*\).*/\1/p' "$logs/$target.log" | tail -n 1)
  start=$(coverage "$target" INITED)
  end=$(coverage "$target" "")
  slow=$(grep -c 'Test unit written to .*slow-unit-' "$logs/$target.log" || true)
  result=ok
  if ((status[$target] != 0)); then
    failed=1
    artifact=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$logs/$target.log" | tail -n 1)
    kind=$(grep -m 1 -o -E 'fuzz check failed: .*|ERROR: [A-Za-z]+: [a-z-]+( [a-z-]+)*' \
      "$logs/$target.log" || true)
    result="CRASH: ${kind:-exit ${status[$target]}} -> ${artifact:-see $logs/$target.log}"
  fi
  printf "$format" "$target" "${executions:-?}" "$(cat "$logs/$target.seconds")" "${end:-?}" \
    "+$((${end:-0} - ${start:-${end:-0}}))" "$(stat "$target" new_units_added)" "$slow" "$result"
done
if ((failed)); then
  echo "Repeat a finding with: $build/fuzz/<target>_fuzzer FILE (ASAN_OPTIONS=detect_leaks=0 for molfile, sdf_record)"
fi
exit "$failed"

#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (everything instrumented
# with ASan and UBSan) into build-fuzz/ (or $BUILD_DIR) and runs each from
# its committed corpus, with a fixed seed:
#   scripts/fuzz.sh                     FUZZ_RUNS (default 20000) inputs a target,
#                                       at most 30 s a target (the importer's
#                                       target, which writes a data set, is slow)
#   FUZZ_SECONDS=600 scripts/fuzz.sh    ten minutes a target instead (a nightly run)
#   scripts/fuzz.sh sjis race_keys      only those targets
# A crash, a leak or a sanitizer report fails the run and leaves the input
# that caused it in build-fuzz/findings/<target>/. The committed corpora are
# not changed: each run grows a copy.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${BUILD_DIR:-build-fuzz}
runs=${FUZZ_RUNS:-20000}
seconds=${FUZZ_SECONDS:-}

# Optimised a little, with line tables only: a fixed number of inputs runs in
# seconds either way, and the build is most of a short run's time.
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DYDBCLN_FUZZ=ON -DYDBCLN_BUILD_TESTS=OFF -DYDBCLN_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target fuzz_targets

targets=("$@")
if ((${#targets[@]} == 0)); then
  for source in fuzz/*_fuzz.cpp; do
    name=${source#fuzz/}
    targets+=("${name%_fuzz.cpp}")
  done
fi

limit=(-runs="$runs" -max_total_time=30)
[[ -n $seconds ]] && limit=(-max_total_time="$seconds")
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  corpus="$build_dir/corpus/$target"
  findings="$build_dir/findings/$target"
  rm -rf "$corpus" "$findings"
  mkdir -p "$corpus" "$findings"
  echo "== fuzz $target"
  "$build_dir/fuzz/${target}_fuzz" -seed=1 "${limit[@]}" -max_len=65536 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "fuzz/corpus/$target" \
    2>"$build_dir/$target.log" || { tail -n 60 "$build_dir/$target.log" >&2; exit 1; }
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$build_dir/$target.log" | tr '\n' ' '
  echo
done

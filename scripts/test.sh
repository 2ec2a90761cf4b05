#!/usr/bin/env bash
# Builds Brevix and runs every test: the plain build, the address + undefined-behaviour
# sanitizer build and the thread sanitizer build each run the whole suite; then every
# fuzzer runs for a short, bounded time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh

jobs=$(nproc)
fuzz_seconds=${BREVIX_FUZZ_SECONDS:-20}
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}

build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

run_suite() {
  echo "== tests: $1"
  ctest --test-dir "$1" -j"$jobs" --output-on-failure --timeout 300
}

echo "== formatting"
find src tests tools bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror

echo "== fuzzers, ${fuzz_seconds}s each"
CXX=clang++ cmake -S . -B build/test-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBREVIX_FUZZ=ON -DBREVIX_BENCH=OFF >/dev/null
cmake --build build/test-fuzz -j"$jobs" --target fuzzers
for fuzzer in build/test-fuzz/tests/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  corpus=$(mktemp -d)
  "$fuzzer" -max_total_time="$fuzz_seconds" -print_final_stats=0 "$corpus" 2>&1 | tail -n 1
  rm -rf "$corpus"
done

# The sanitizer suites run the soak test for a shorter while; the plain suite for a minute.
export BREVIX_SOAK_SECONDS=20
build build/test-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREVIX_SANITIZE=thread -DBREVIX_BENCH=OFF
run_suite build/test-tsan

build build/test-asan -DCMAKE_BUILD_TYPE=Debug -DBREVIX_SANITIZE=address -DBREVIX_BENCH=OFF
run_suite build/test-asan

# The plain build last, so the closing summary is its own.
export BREVIX_SOAK_SECONDS=60
build build/test-plain -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite build/test-plain

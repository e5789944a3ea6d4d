#!/usr/bin/env bash
# The checks CI runs beyond `make test`, each build in a folder of its own:
#   1. AddressSanitizer and UndefinedBehaviorSanitizer: the whole test suite.
#   2. ThreadSanitizer: the engine tests and the two renderer stress tests,
#      thousands of cycles each.
#   3. libFuzzer (clang): every target in tests/fuzz from its seed corpus.
#   4. The Debian package: metadata, lintian, installed with dpkg into a
#      fresh tree, run from there and removed (scripts/check-package.sh).
#      It is made from the everyday build, which `make test` has built.
# Settings (environment): JOBS, FUZZ_SECONDS (per target, default 60),
# STRESS_CYCLES (default 2000), CHECKS (default "asan tsan fuzz package").
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=${JOBS:-$(nproc)}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
STRESS_CYCLES=${STRESS_CYCLES:-2000}
CHECKS=${CHECKS:-asan tsan fuzz package}

section() { printf '\n=== %s ===\n' "$*"; }
elapsed() { printf '(%d s)\n' $((SECONDS - $1)); }

# -O1 and line tables only: the sanitizers' usual setting, and the quickest
# build whose reports still name files and lines.
configure() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" "$@" > /dev/null
}

check_asan() {
  local start=$SECONDS
  section "AddressSanitizer + UndefinedBehaviorSanitizer: the whole test suite"
  configure build-asan -DVELQUOR_SANITIZE=address,undefined
  cmake --build build-asan -j "$JOBS"
  # The real-window tests start the window on Xvfb, where the system's
  # uninstrumented libxkbcommon-x11 reads its keymap with strndup past the
  # end of the reply; that is not our code, and every window path it
  # drives runs offscreen in the suite anyway.
  (cd build-asan &&
    ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:strict_string_checks=1 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" -E '^real_(pointer|window)_')
  elapsed "$start"
}

check_tsan() {
  local start=$SECONDS
  section "ThreadSanitizer: engine tests and renderer stress ($STRESS_CYCLES cycles each)"
  configure build-tsan -DVELQUOR_SANITIZE=thread
  cmake --build build-tsan -j "$JOBS" --target test_engine test_ui_stress
  # Qt is not built with the sanitizer: its own locking is invisible to it.
  export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$ROOT/tests/sanitizers/tsan.supp"
  VELQUOR_STRESS_CYCLES=$STRESS_CYCLES build-tsan/bin/test_engine --gtest_brief=1
  VELQUOR_STRESS_CYCLES=$STRESS_CYCLES QT_QPA_PLATFORM=offscreen build-tsan/bin/test_ui_stress --gtest_brief=1
  unset TSAN_OPTIONS
  elapsed "$start"
}

check_fuzz() {
  local start=$SECONDS
  section "libFuzzer: every target for $FUZZ_SECONDS s from tests/fuzz/corpus"
  CC=clang CXX=clang++ configure build-fuzz -DVELQUOR_FUZZ=ON -DVELQUOR_BUILD_GUI=OFF \
    -DVELQUOR_SANITIZE=address,undefined
  cmake --build build-fuzz -j "$JOBS" --target fuzz_targets
  # One target per core at a time; each gets its minute to itself.
  local names=() pids=() failed=""
  for seeds in tests/fuzz/corpus/*/; do
    names+=("$(basename "$seeds")")
  done
  for name in "${names[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$JOBS" ]; do wait -n || true; done
    # New inputs go to the build folder; the seeds in the repository stay.
    mkdir -p "build-fuzz/corpus/$name"
    echo "fuzz_$name ..."
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
      "build-fuzz/bin/fuzz_$name" -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 \
      -timeout=10 -rss_limit_mb=2048 -artifact_prefix="build-fuzz/fuzz_$name-" \
      "build-fuzz/corpus/$name" "tests/fuzz/corpus/$name" > "build-fuzz/fuzz_$name.log" 2>&1 &
    pids+=($!)
  done
  local summary="" i
  for i in "${!names[@]}"; do
    local name=${names[$i]} log="build-fuzz/fuzz_${names[$i]}.log"
    if ! wait "${pids[$i]}"; then
      tail -n 60 "$log"
      echo "fuzz_$name found a failure; the input is kept as build-fuzz/fuzz_$name-*"
      failed+=" fuzz_$name"
      continue
    fi
    local runs corpus
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    corpus=$(find "build-fuzz/corpus/$name" "tests/fuzz/corpus/$name" -type f | wc -l)
    summary+=$(printf '  fuzz_%-14s %10s runs in %s s, %s inputs in the corpus, no failure' \
      "$name" "$runs" "$FUZZ_SECONDS" "$corpus")$'\n'
  done
  printf '%s' "$summary"
  [ -z "$failed" ] || { echo "failed:$failed"; return 1; }
  elapsed "$start"
}

check_package() {
  local start=$SECONDS
  section "Debian package: metadata, lintian, install, run and remove"
  JOBS=$JOBS bash scripts/check-package.sh build
  elapsed "$start"
}

total=$SECONDS
for check in $CHECKS; do
  "check_$check"
done
section "check-all passed in $((SECONDS - total)) s"

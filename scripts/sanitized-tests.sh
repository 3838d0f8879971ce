#!/usr/bin/env bash
# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer (g++, build/asan,
# ORLIN_SANITIZE): every test program and every program a test starts (orlin-cli,
# orlin-phonesim, orlin) is instrumented. Undefined behaviour halts the program like a memory
# error. Leaks are looked for in every program, the Qt window tests included: Qt's offscreen
# platform leaves nothing unreachable at exit, so no suppression is needed. Each report is also
# written to build/asan/sanitizer-logs/, so that a finding in a program a test starts fails the
# run even where the test only expected a failure exit.
# scripts/test.sh runs this after the plain suite; alone: bash scripts/sanitized-tests.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/compile-cache.sh

cmake --preset asan
cmake --build --preset asan

logs=$PWD/build/asan/sanitizer-logs
rm -rf "$logs"
mkdir -p "$logs"
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$logs/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$logs/ubsan"
status=0
(cd build/asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 --timeout 900) ||
  status=$?
if compgen -G "$logs/*" >/dev/null; then
  echo "Sanitizer reports:" >&2
  for report in "$logs"/*; do
    echo "--- $report" >&2
    head -n 60 "$report" >&2
  done
  status=1
fi
if [ "$status" -ne 0 ]; then
  echo "sanitized test suite: FAILED" >&2
  exit "$status"
fi
echo "Sanitized test suite (ASan, UBSan): OK"

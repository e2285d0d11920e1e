#!/usr/bin/env bash
# Runs the golden cases against the Windows build under Wine, with the Linux test binary as the
# runner. Usage: tests/windows/run-golden.sh BUILD_DIR PATH/TO/loopcost.exe
set -euo pipefail
build=$1
exe=$(realpath "$2")
wine=$(command -v wine || command -v wine64) || {
  echo "run-golden.sh: Wine is missing; install it with: apt-get install wine64 wine" >&2
  exit 1
}
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-$(realpath "$build")/wineprefix}
"$wine" wineboot --init > /dev/null 2>&1 || true  # make the prefix now, so no run reports it
LOOPCOST_COMMAND="'$wine' '$exe'" LOOPCOST_WINDOWS=1 \
  "$build/tests/loopcost_tests" --gtest_filter='Golden/*'

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
# A name outside the ANSI code page cannot reach a Windows program's arguments: that case is
# left out.
LOOPCOST_COMMAND="'$wine' '$exe'" LOOPCOST_WINDOWS=1 \
  "$build/tests/loopcost_tests" --gtest_filter='Golden/*:-*/name_with_control_characters'

# With none of the variables set, the messages follow the language of Windows, which Wine takes
# from the locale it starts in.
locale -a | grep -qix 'zh_TW.utf-\?8' || {
  echo "run-golden.sh: the zh_TW.UTF-8 locale is missing; make it with: localedef -i zh_TW -f UTF-8 zh_TW.UTF-8" >&2
  exit 1
}
case=$(realpath "$(dirname "$0")/../golden/chinese_usage_error")
written=$(cd "$(dirname "$exe")" && env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=zh_TW.UTF-8 \
  "$wine" cmd /c "set LANG=&& $(basename "$exe") $(tr '\n' ' ' < "$case/args")" 2>&1 > /dev/null |
  tr -d '\r') || true
if [[ $written != "$(cat "$case/stderr")" ]]; then
  printf 'run-golden.sh: in a Chinese Windows, loopcost wrote:\n%s\n' "$written" >&2
  exit 1
fi
echo "The usage error in a Chinese Windows: as expected"

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

# With none of the variables set, the messages follow the language of Windows, which Wine takes
# from the locale it starts in.
for locale in zh_TW en_US; do
  locale -a | grep -qix "$locale.utf-\?8" || {
    echo "run-golden.sh: the $locale.UTF-8 locale is missing; make it with: localedef -i $locale -f UTF-8 $locale.UTF-8" >&2
    exit 1
  }
done
case=$(realpath "$(dirname "$0")/../golden/chinese_usage_error")
written=$(cd "$(dirname "$exe")" && env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=zh_TW.UTF-8 \
  "$wine" cmd /c "set LANG=&& $(basename "$exe") $(tr '\n' ' ' < "$case/args")" 2>&1 > /dev/null |
  tr -d '\r') || true
if [[ $written != "$(printf '%b' "$(cat "$case/stderr")")" ]]; then
  printf 'run-golden.sh: in a Chinese Windows, loopcost wrote:\n%s\n' "$written" >&2
  exit 1
fi
echo "The usage error in a Chinese Windows: as expected"

# Names in Chinese reach the tool as they are, in a Windows of any language: the arguments are read
# as the wide characters they are, the files opened by their wide names.
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
printf 'BEGIN LOOP n a+b; END END\n' > "$folder/作業一.txt"
for locale in zh_TW en_US; do
  written=$(cd "$folder" && LANG=$locale.UTF-8 "$wine" "$exe" -e utf-8 --summary 作業一.txt 王小明.txt |
    tr -d '\r') || true
  if [[ $written != *$'\n作業一.txt\t'* || $written != *$'\n王小明.txt\t'* ]]; then
    printf 'run-golden.sh: in %s, loopcost wrote:\n%s\n' "$locale" "$written" >&2
    exit 1
  fi
done
echo "Names in Chinese, in a Chinese and in an English Windows: as expected"

#!/usr/bin/env bash
# The editor tests, one command each; make test-editors installs what they need first.
# Usage: editors/test.sh BUILD_DIR (the folder holding the loopcost that the editors start)
set -euo pipefail
build=$(cd "$1" && pwd)
cd "$(dirname "$0")"

node --test vscode/test/
# Neovim starts with the README's lines, copied verbatim, as its init.lua.
init=$(mktemp --suffix=.lua)
trap 'rm -f "$init"' EXIT
sed -n '/^```lua$/,/^```$/{/^```/d;p}' ../README.md > "$init"
# A Lua error leaves headless Neovim waiting: past five minutes the test has failed.
PATH="$build:$PATH" timeout 300 nvim --headless -u "$init" -i NONE -c "luafile neovim/test.lua"

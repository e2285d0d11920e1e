#!/usr/bin/env bash
# The editor tests, one command each; make test-editors installs what they need first.
# Usage: editors/test.sh BUILD_DIR (the folder holding the loopcost that the editors start)
set -euo pipefail
build=$(cd "$1" && pwd)
cd "$(dirname "$0")"

node --test vscode/test/
PATH="$build:$PATH" nvim --headless --clean -c "luafile neovim/test.lua"

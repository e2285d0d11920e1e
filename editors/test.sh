#!/usr/bin/env bash
# The editor tests, one command each; make test-editors installs what they need first.
set -euo pipefail
cd "$(dirname "$0")"

node --test vscode/test/

#!/usr/bin/env bash
# Serves the site of scripts/build-web.sh (dist/web) on 127.0.0.1 and prints
# its address; Ctrl-C ends it.
#
#   scripts/serve-web.sh [PORT]     (default 8080)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ ! -f $root/dist/web/index.html ]]; then
  echo "serve-web.sh: no site in $root/dist/web yet: run scripts/build-web.sh first" >&2
  exit 1
fi
exec node "$root/scripts/web-server.mjs" "$root/dist/web" "${1:-8080}"

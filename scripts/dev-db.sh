#!/usr/bin/env bash
# Starts (or reuses) a throwaway MariaDB server for trying SQL by hand.
#   scripts/dev-db.sh [folder]     default folder /tmp/velmora-dev
# Then: mariadb --socket=<folder>/mariadb.sock
set -euo pipefail
dir=${1:-/tmp/velmora-dev}
sock=$dir/mariadb.sock
mkdir -p "$dir/tmp"
user_opt=()
[ "$(id -u)" -eq 0 ] && user_opt=(--user=root)
if mariadb-admin --socket="$sock" ping >/dev/null 2>&1; then
  echo "$sock"; exit 0
fi
if [ ! -d "$dir/data/mysql" ]; then
  mariadb-install-db --no-defaults --datadir="$dir/data" --auth-root-authentication-method=socket \
    --skip-test-db --tmpdir="$dir/tmp" "${user_opt[@]}" >"$dir/install.log" 2>&1
fi
mariadbd --no-defaults --datadir="$dir/data" --socket="$sock" --pid-file="$dir/mariadb.pid" \
  --log-error="$dir/mariadb.err" --tmpdir="$dir/tmp" --skip-networking --lower-case-table-names=1 \
  --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci "${user_opt[@]}" &
for _ in $(seq 60); do
  mariadb-admin --socket="$sock" ping >/dev/null 2>&1 && { echo "$sock"; exit 0; }
  sleep 0.5
done
echo "servidor não respondeu; veja $dir/mariadb.err" >&2
exit 1

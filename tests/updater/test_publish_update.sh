#!/usr/bin/env bash
# scripts/publish-update against the local servers: the client and its signature land in
# E_Versions and the version in the question bank.
set -euo pipefail
root=$1 key=$2 client=$3
set -a; source "$TAVELKO_TEST_STATE/servers.env"; set +a

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed 's/TAVELKO_FILE_VERSION=1\.0;/TAVELKO_FILE_VERSION=7.3;/' "$client" >"$work/Tavelko"
"$root/scripts/publish-update" "$work/Tavelko" "$key"

version=$((7 * 65536 + 3))
test -s "$TAVELKO_FTP_ROOT/E_Versions/Tavelko_$version"
test "$(stat -c %s "$TAVELKO_FTP_ROOT/E_Versions/Tavelko_$version.sig")" -eq 64
published=$(MYSQL_PWD=$TAVELKO_DB_PASSWORD mariadb --protocol=TCP -h "$TAVELKO_DB_HOST" -P "$TAVELKO_DB_PORT" \
  -u "$TAVELKO_DB_USER" "$TAVELKO_DB_NAME" -N -e "SELECT COUNT(*) FROM e_versions WHERE version = $version")
test "$published" -eq 1
MYSQL_PWD=$TAVELKO_DB_PASSWORD mariadb --protocol=TCP -h "$TAVELKO_DB_HOST" -P "$TAVELKO_DB_PORT" \
  -u "$TAVELKO_DB_USER" "$TAVELKO_DB_NAME" -e "DELETE FROM e_versions WHERE version = $version"
echo "publish-update: ok"

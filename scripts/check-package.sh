#!/usr/bin/env bash
# Builds the Debian package in the build folder (default build/, already built)
# and checks it: the control fields and dependencies, the file list, the
# desktop entry, the AppStream metadata, the man pages and the service unit,
# then runs the unpacked programs: inspector-cli creates both data files, and
# the server, started with the unit's command line and the environment file's
# values, serves a job to inspector-cli. Any mismatch fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

fail() { echo "check-package: FAILED: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || fail "$1 is missing (scripts/install-deps.sh installs it)"; }
for tool in cpack dpkg-deb dpkg-shlibdeps appstreamcli desktop-file-validate systemd-analyze man; do need "$tool"; done

app_id=com.veltrane.Inspector
version=$(sed -n 's/^project(Inspector VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
deb="$build/inspector_${version}_${arch}.deb"

rm -f "$build"/inspector_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log" >&2; fail "cpack"; }
[ -f "$deb" ] || fail "no $deb; cpack wrote: $(cd "$build" && ls ./*.deb 2>/dev/null)"

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = inspector ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
# Package names of the Depends field, without versions and alternatives.
depends=$(field Depends | tr ',|' '\n' | awk 'NF { print $1 }')
for wanted in '^libqt6core6' '^libqt6gui6' '^libqt6widgets6' '^libqt6printsupport6' '^libsqlite3-0' \
              '^libvips42' '^libsodium[0-9]' '^libhunspell-' '^hunspell-en-us$' '^hunspell-fr$' \
              '^fonts-liberation$' '^adduser$'; do
  grep -q "$wanted" <<<"$depends" || fail "Depends lacks $wanted: $(field Depends)"
done
dpkg-deb -I "$deb" conffiles | grep -qx /etc/default/inspector-server || fail "/etc/default/inspector-server is no conffile"

# File list: everything expected is there, nothing lands outside /usr and /etc/default.
listing=$(dpkg-deb -c "$deb")
files=$(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sed 's|^\./|/|')
expected=(/usr/bin/inspector /usr/bin/inspector-cli /usr/bin/inspector-server
          "/usr/share/applications/$app_id.desktop" "/usr/share/metainfo/$app_id.metainfo.xml"
          "/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
          /usr/share/man/man1/inspector.1.gz /usr/share/man/man1/inspector-cli.1.gz
          /usr/share/man/man1/inspector-server.1.gz
          /usr/lib/systemd/system/inspector-server.service /etc/default/inspector-server
          /usr/share/doc/inspector/copyright)
for size in 16 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for f in "${expected[@]}"; do
  grep -qx "$f" <<<"$files" || fail "the package lacks $f"
done
for program in inspector inspector-cli inspector-server; do
  grep -q "^-rwxr-xr-x .* \./usr/bin/$program\$" <<<"$listing" || fail "/usr/bin/$program is not executable"
done
stray=$(grep -Ev '^/usr/(bin|share|lib/systemd/system)/|^/etc/default/' <<<"$files" || true)
[ -z "$stray" ] || fail "unexpected files in the package: $stray"

work=$(mktemp -d)
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
root="$work/root"
dpkg-deb -x "$deb" "$root"

# Desktop entry and metadata: valid, and naming what the package and the program use.
desktop="$root/usr/share/applications/$app_id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate $app_id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >"$work/appstream.log" 2>&1 \
  || { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry's Icon is not $app_id"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/bin/$exec_program" ] || fail "the desktop entry runs '$exec_program', which the package lacks"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
  "$root/usr/share/metainfo/$app_id.metainfo.xml" || fail "the metadata's launchable is not $app_id.desktop"
grep -q "setDesktopFileName(QStringLiteral(\"$app_id\"))" src/app/qt/InspectorMain.cpp \
  || fail "the program does not call itself $app_id"

# Man pages: each formats without a warning.
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(man --warnings -l "$page" 2>&1 >/dev/null || echo "man failed")
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
zgrep -q 'sync' "$root/usr/share/man/man1/inspector-cli.1.gz" || fail "inspector-cli.1 lists no commands"

# The service unit: a copy whose paths point into the unpacked tree, so that
# the check finds the program it starts.
unit="$root/usr/lib/systemd/system/inspector-server.service"
sed -e "s|/usr/bin/|$root/usr/bin/|g" -e "s|/etc/default/|$root/etc/default/|g" "$unit" \
  >"$work/inspector-server.service"
SYSTEMD_LOG_LEVEL=notice systemd-analyze verify --man=no "$work/inspector-server.service" >"$work/verify.log" 2>&1 \
  || { cat "$work/verify.log" >&2; fail "systemd-analyze verify inspector-server.service"; }
[ ! -s "$work/verify.log" ] || { cat "$work/verify.log" >&2; fail "systemd-analyze verify has remarks"; }

# The unpacked programs, with data folders of their own.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
export QT_QPA_PLATFORM=offscreen
cli="$root/usr/bin/inspector-cli"
"$cli" init --template "$work/Template_Data.cdb" --inspection "$work/Inspection_Data.cdb" >"$work/init.log" \
  || fail "inspector-cli init"
for made in Template_Data.cdb Inspection_Data.cdb; do
  [ -s "$work/$made" ] || fail "inspector-cli init did not make $made"
done

# The server as the unit starts it: its ExecStart, with the environment file's
# values, on loopback, with a store and a free port of this check's own.
set -a
# shellcheck disable=SC1091
. "$root/etc/default/inspector-server"
set +a
[ "$INSPECTOR_SERVER_HOST" = 127.0.0.1 ] || fail "the environment file does not default to loopback"
read -r -a exec_start <<<"$(sed -n 's/^ExecStart=//p' "$unit")"
store="$work/server.db"
server_command=()
for word in "${exec_start[@]}"; do
  # shellcheck disable=SC2016 # the patterns are the unit's own ${NAME} and $NAME words
  case "$word" in
    /usr/bin/*) server_command+=("$root$word") ;;
    /var/lib/inspector-server/server.db) server_command+=("$store") ;;
    '${'*'}') name=${word#\$\{}; name=${name%\}}; server_command+=("${!name}") ;;
    '$'*) name=${word#\$}; read -r -a split <<<"${!name}"; server_command+=("${split[@]}") ;;
    *) server_command+=("$word") ;;
  esac
done
[ "${server_command[1]}" = serve ] || fail "unexpected ExecStart: ${exec_start[*]}"
server_bin="$root/usr/bin/inspector-server"
"$server_bin" user add anna --password 'correct horse' --store "$store" >/dev/null || fail "user add"
"$server_bin" job add --doc-num 9101 --date "$(date +%F)" --inspector anna --store "$store" >/dev/null \
  || fail "job add"
port=""
for _ in 1 2 3 4 5; do
  candidate=$((7000 + RANDOM % 3000))
  for i in "${!server_command[@]}"; do
    [ "${server_command[$i]}" = --port ] && server_command[i + 1]=$candidate
  done
  "${server_command[@]}" 2>"$work/server.log" &
  server_pid=$!
  for _ in $(seq 100); do
    grep -q "listening on 127.0.0.1 port $candidate" "$work/server.log" && { port=$candidate; break 2; }
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$server_pid" 2>/dev/null || true
  wait "$server_pid" 2>/dev/null || true
  server_pid=""
done
[ -n "$port" ] || { cat "$work/server.log" >&2; fail "the server did not start with the unit's command line"; }
data=(--template "$work/Template_Data.cdb" --inspection "$work/Inspection_Data.cdb")
"$cli" connection --user anna --password 'correct horse' --host 127.0.0.1 --port "$port" "${data[@]}" >/dev/null \
  || fail "inspector-cli connection"
received=$("$cli" sync --receive today --connect-timeout 10 --reply-timeout 10 "${data[@]}") \
  || { cat "$work/server.log" >&2; fail "inspector-cli sync"; }
grep -q "^Received 1 of 1 inspections" <<<"$received" || fail "sync received: $received"
"$cli" list "${data[@]}" | grep -q 9101 || fail "the received job is not among the inspections"
kill -TERM "$server_pid"
wait "$server_pid" || fail "the server did not stop cleanly on SIGTERM"
server_pid=""

echo "check-package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB) passed"

#!/usr/bin/env bash
# CI: builds the Debian package, installs it with apt-get, writes a small demo with the
# installed kb-demo, starts the installed viewer through /usr/bin under Xvfb (with openbox)
# until its list is painted and its title names the edition, closes it, then removes and
# purges the package and checks that nothing of it is left: after "remove" only the
# settings file, after "purge" nothing. Runs as root or through sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
    echo "package-roundtrip: $*" >&2
    exit 1
}

# --- Inside the X session: start, check, close. ---
if [ "${1:-}" = "--x-session" ]; then
    edition="$2" log="$3"
    openbox >/dev/null 2>&1 &
    # The program's start-up probe reports the first paint of the list with rows.
    KB_STARTUP_PROBE=1 kennblaetter 2>"$log" &
    viewer=$!
    for _ in $(seq 600); do
        grep -q "list painted" "$log" && break
        kill -0 "$viewer" 2>/dev/null || break
        sleep 0.1
    done
    grep -q "list painted" "$log" || { cat "$log" >&2; fail "the list was not painted"; }
    title="Norvenz Kennblätter für eignungsgeprüfte Schweißzusätze, Stand: $edition"
    window=$(xdotool search --onlyvisible --name "Stand: " | head -n 1)
    [ -n "$window" ] || fail "no window with the edition in its title"
    shown=$(xprop -id "$window" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
    [ "$shown" = "$title" ] || fail "title \"$shown\", expected \"$title\""
    # The engine comes from the program's folder; a click marks a row (the list runs
    # from about 100 to 600 pixels below the window's top) and Enter opens its sheet.
    grep -q ' /opt/kennblaetter/libpdfengine01\.so$' "/proc/$viewer/maps" ||
        fail "the PDF engine was not loaded from /opt/kennblaetter"
    xdotool windowactivate --sync "$window" mousemove --window "$window" 60 200 click 1 \
        sleep 0.5 key Return
    document=""
    for _ in $(seq 100); do
        document=$(xdotool search --onlyvisible --name '^Kennblatt$' | head -n 1) || true
        [ -n "$document" ] && break
        sleep 0.1
    done
    [ -n "$document" ] || fail "no document window opened for the first data sheet"
    # Closed by the window manager as a user would, so that the closing steps run.
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
    for _ in $(seq 100); do
        kill -0 "$viewer" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$viewer" 2>/dev/null; then
        kill "$viewer"
        fail "the viewer did not close"
    fi
    wait "$viewer" || fail "the viewer ended with an error"
    exit 0
fi

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
started=$SECONDS

deb=$(./scripts/package.sh | tail -n 1)
built=$SECONDS
echo "package-roundtrip: $deb ($(du -k "$deb" | cut -f1) KiB) built in $((built - started)) s"

root=$PWD
work=$(mktemp -d)
chmod 755 "$work"
trap '$sudo rm -rf "$work"' EXIT
# Paths the package may touch; the caches that triggers of other packages renew are theirs.
snapshot() {
    find /opt /usr/bin /usr/share/applications /usr/share/icons/hicolor /usr/share/metainfo \
        /usr/share/man/man1 /usr/share/doc /usr/share/lintian/overrides 2>/dev/null |
        grep -v -e '/icon-theme\.cache$' -e '/mimeinfo\.cache$' | sort
}
# Whether a package other than kennblaetter owns the path (dpkg still names kennblaetter as
# the owner of its settings file after a removal).
owned_elsewhere() {
    dpkg -S "$1" 2>/dev/null | grep -v '^diversion' | cut -d: -f1 | tr ',' '\n' | tr -d ' ' |
        grep -qvx kennblaetter
}
# Paths that appeared since `snapshot` wrote $1 and belong to no other package.
leftovers() {
    comm -13 "$1" <(snapshot) | while read -r path; do
        owned_elsewhere "$path" || echo "$path"
    done
}
# apt-get's output only when it fails.
apt_get() {
    $sudo apt-get -y -qq -o DPkg::Lock::Timeout=120 "$@" >"$work/apt.log" 2>&1 ||
        { cat "$work/apt.log" >&2; fail "apt-get $* failed"; }
}
snapshot >"$work/before"
# The package's own paths, and which of them (folders like /usr/bin) were there before.
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|; s|/$||' | grep . >"$work/packaged"
while read -r path; do
    if [ -e "$path" ]; then echo "$path"; fi
done <"$work/packaged" >"$work/existed"

dpkg -s kennblaetter >/dev/null 2>&1 && fail "kennblaetter is installed already"
apt_get install "$(realpath "$deb")"
dpkg -L kennblaetter >"$work/files"

# The layout: one program folder, links from /usr/bin, the settings file a conffile.
[ "$(readlink -f /usr/bin/kennblaetter)" = /opt/kennblaetter/kennblaetter ] ||
    fail "/usr/bin/kennblaetter does not lead to /opt/kennblaetter/kennblaetter"
[ "$(readlink -f /usr/bin/kb-demo)" = /opt/kennblaetter/kb-demo ] ||
    fail "/usr/bin/kb-demo does not lead to /opt/kennblaetter/kb-demo"
readelf -d /opt/kennblaetter/kennblaetter | grep -q 'R.*PATH.*\[\$ORIGIN\]' ||
    fail "the executable's run path is not \$ORIGIN"
dpkg-query -W -f='${Conffiles}\n' kennblaetter | grep -q ' /opt/kennblaetter/kennblaetter.INI ' ||
    fail "the settings file is not a conffile"
expected=(/usr/share/applications/de.norvenz.kennblaetter.desktop
          /usr/share/metainfo/de.norvenz.kennblaetter.metainfo.xml
          /usr/share/icons/hicolor/scalable/apps/de.norvenz.kennblaetter.svg
          /usr/share/icons/hicolor/48x48/apps/de.norvenz.kennblaetter.png
          /opt/kennblaetter/libpdfengine01.so
          /opt/kennblaetter/kb-textreader
          /opt/kennblaetter/Listen.xml)
for path in "${expected[@]}"; do
    grep -qx "$path" "$work/files" || fail "$path is not in the package"
done

export XDG_RUNTIME_DIR="$work/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A demo through the installed kb-demo, pointed at by the installed settings file.
$sudo kb-demo --quiet --count 30 --settings /opt/kennblaetter/kennblaetter.INI "$work/demo"
edition=$(mdb-export "$work/demo/Norvenz SZW Kennblätter.mde" norvenz | sed -n '2p' |
          awk -F, '{ gsub(/"/, ""); print $1 "." $2 }')
[ -n "$edition" ] || fail "no edition in the demo's database"

# The viewer, started through /usr/bin from another working directory.
(cd "$work" && timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$root/scripts/package-roundtrip.sh" --x-session "$edition" "$work/viewer.log") ||
    fail "the installed viewer did not start as expected"
echo "package-roundtrip: the installed viewer showed the demo's list, edition $edition"
echo "package-roundtrip: it loaded its PDF engine and opened a data sheet"
# Closed as a user closes it, it wrote its view state where it may.
if [ -w /opt/kennblaetter/kennblaetter.INI ]; then
    grep -q '^\[View\]' /opt/kennblaetter/kennblaetter.INI ||
        fail "the viewer wrote no view state into its settings file"
fi

# Removed: only the settings file (and its folder) stay. Purged: nothing stays.
apt_get remove kennblaetter
left=$(leftovers "$work/before")
[ "$left" = "$(printf '/opt/kennblaetter\n/opt/kennblaetter/kennblaetter.INI')" ] ||
    fail "after removal, expected only the settings file, found: $left"
apt_get purge kennblaetter
left=$(leftovers "$work/before")
[ -z "$left" ] || fail "left after purge: $left"
while read -r path; do
    if [ -e "$path" ] && ! grep -qxF "$path" "$work/existed"; then
        fail "left after purge: $path"
    fi
done <"$work/packaged"
echo "package-roundtrip: installed, run, removed and purged in $((SECONDS - built)) s" \
     "(total $((SECONDS - started)) s)"

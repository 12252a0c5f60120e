#!/usr/bin/env bash
# CI: builds the Debian package, installs it with apt-get, writes a small demo with the
# installed kb-demo, starts the installed viewer through /usr/bin under Xvfb (with openbox)
# until its list is painted and its title names the edition, closes it; then, as an
# unprivileged user in an X session of their own, from their home folder: changes a column
# width and a filter and closes (the view state must land in ~/.config/kennblaetter), starts
# again (it must come back), prints the list (the preview must open) and opens the print
# dialog (it must speak German). Checks the run paths of what is installed, removes and purges
# the package and checks that nothing of it is left: after "remove" only the settings file,
# after "purge" nothing. Runs as root or through sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
    echo "package-roundtrip: $*" >&2
    exit 1
}

# --- Helpers of the X sessions ---

# Waits up to ten seconds for a visible window whose name matches $1; prints its id.
wait_for_window() {
    local found=""
    for _ in $(seq 100); do
        # A window that closes while xdotool looks at it makes it complain; that is no failure.
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$found" ] && break
        sleep 0.1
    done
    echo "$found"
}

# Starts the installed viewer through /usr/bin in the working directory and waits until its
# list is painted and its window is maximised; sets $viewer (the process) and $window.
start_viewer() {
    local log=$1
    # The program's start-up probe reports the first paint of the list with rows.
    KB_STARTUP_PROBE=1 kennblaetter 2>"$log" &
    viewer=$!
    for _ in $(seq 600); do
        grep -q "list painted" "$log" && break
        kill -0 "$viewer" 2>/dev/null || break
        sleep 0.1
    done
    grep -q "list painted" "$log" || { cat "$log" >&2; fail "the list was not painted"; }
    window=$(wait_for_window "Stand: ")
    [ -n "$window" ] || fail "no window with the edition in its title"
    for _ in $(seq 100); do
        xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ && break
        sleep 0.1
    done
    sleep 0.5
}

# Closes the viewer as a user closes it, through the window manager, so that the closing
# steps run, and waits for its end.
close_viewer() {
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
}

# --- Inside the X session of root: start, check, close. ---
if [ "${1:-}" = "--x-session" ]; then
    edition="$2" log="$3"
    openbox >/dev/null 2>&1 &
    start_viewer "$log"
    title="Norvenz Kennblätter für eignungsgeprüfte Schweißzusätze, Stand: $edition"
    shown=$(xprop -id "$window" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
    [ "$shown" = "$title" ] || fail "title \"$shown\", expected \"$title\""
    # The engine comes from the program's folder; a click marks a row (the list runs
    # from about 100 to 600 pixels below the window's top) and Enter opens its sheet.
    grep -q ' /opt/kennblaetter/libpdfengine01\.so$' "/proc/$viewer/maps" ||
        fail "the PDF engine was not loaded from /opt/kennblaetter"
    xdotool windowactivate --sync "$window" mousemove --window "$window" 60 200 click 1 \
        sleep 0.5 key Return
    [ -n "$(wait_for_window '^Kennblatt$')" ] ||
        fail "no document window opened for the first data sheet"
    close_viewer
    exit 0
fi

# --- Inside the X session of an unprivileged user, in their home folder. ---
# Places on the screen (1280 x 1024, openbox) with the main window maximised: the border
# between the header sections "Kennblatt-Nr." and "Marke", and the change filter once the
# first column is 50 pixels wider.
column_border_x=158
header_y=84
change_filter_x=680
change_filter_y=100
if [ "${1:-}" = "--user-session" ]; then
    logs="$2"
    openbox >/dev/null 2>&1 &
    cd "$HOME"
    user_ini="$HOME/.config/kennblaetter/kennblaetter.INI"
    # The first column 50 pixels wider, the change filter on its second item ("Geänderte").
    start_viewer "$logs/user-1.log"
    xdotool windowactivate --sync "$window" \
        mousemove "$column_border_x" "$header_y" mousedown 1 \
        mousemove $((column_border_x + 25)) "$header_y" \
        mousemove $((column_border_x + 50)) "$header_y" mouseup 1 sleep 0.3 \
        mousemove "$change_filter_x" "$change_filter_y" click 1 sleep 0.5 \
        key Down sleep 0.2 key Return sleep 0.5
    import -window root "$logs/user-1.png"
    close_viewer
    [ -f "$user_ini" ] || fail "closing wrote no $user_ini"
    cp "$user_ini" "$logs/after-first-close.INI"

    # Started again, it shows that state: printing the list opens the preview (Listen.xml
    # comes from the program's folder, not from this one), and closing writes the same state
    # back, which it would not if it had not read it.
    start_viewer "$logs/user-2.log"
    import -window root "$logs/user-2.png"
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+r
    preview=$(wait_for_window '^Listen Vorschau$')
    [ -n "$preview" ] || { import -window root "$logs/no-preview.png"; fail "printing the list opened no preview"; }
    xdotool windowactivate --sync "$preview" key --clearmodifiers Escape
    sleep 0.5
    close_viewer
    cp "$user_ini" "$logs/after-second-close.INI"

    # The print dialog of the batch print speaks German, whatever the locale. The user's file
    # holds the print choice "Aktuelle Kennblätter" and no change filter, so that all 30 sheets
    # are to be printed and a question comes first.
    sed -i -e 's/^LetzteDruckliste=[-0-9]*/LetzteDruckliste=1/' \
        -e 's/^Aenderungsfilter=[-0-9]*/Aenderungsfilter=0/' "$user_ini"
    start_viewer "$logs/user-3.log"
    grep -q '/qtbase_de\.qm$' "/proc/$viewer/maps" || fail "Qt's German catalogue was not loaded"
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+r
    question=$(wait_for_window '^Bestätigen$')
    [ -n "$question" ] || fail "no question before printing all sheets"
    xdotool windowactivate --sync "$question" key --clearmodifiers Return
    dialog=$(wait_for_window '^Drucken$')
    [ -n "$dialog" ] || { import -window root "$logs/no-dialog.png"; fail "no print dialog titled \"Drucken\""; }
    import -window root "$logs/print-dialog.png"
    xdotool windowactivate --sync "$dialog" key --clearmodifiers Escape
    sleep 0.5
    close_viewer
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
# Kept when a check fails, for its logs and pictures.
trap 'if [ $? -eq 0 ]; then $sudo rm -rf "$work"; else echo "package-roundtrip: kept $work" >&2; fi' EXIT
# Paths the package may touch; the caches that triggers of other packages renew are theirs.
snapshot() {
    find /opt /usr/bin /usr/share/applications /usr/share/icons/hicolor /usr/share/metainfo \
        /usr/share/man/man1 /usr/share/man/de/man1 /usr/share/doc /usr/share/lintian/overrides \
        2>/dev/null |
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
# No installed binary takes libraries from the working directory.
./scripts/check-runpath.sh /opt/kennblaetter >/dev/null ||
    fail "an installed binary has an empty or relative run-path entry"
# Qt's German texts come with the package's dependencies.
dpkg-deb -f "$deb" Depends | grep -q 'qt6-translations-l10n' ||
    fail "the package does not depend on qt6-translations-l10n"
dpkg-query -W -f='${Conffiles}\n' kennblaetter | grep -q ' /opt/kennblaetter/kennblaetter.INI ' ||
    fail "the settings file is not a conffile"
expected=(/usr/share/applications/de.norvenz.kennblaetter.desktop
          /usr/share/metainfo/de.norvenz.kennblaetter.metainfo.xml
          /usr/share/icons/hicolor/scalable/apps/de.norvenz.kennblaetter.svg
          /usr/share/icons/hicolor/48x48/apps/de.norvenz.kennblaetter.png
          /opt/kennblaetter/libpdfengine01.so
          /opt/kennblaetter/kb-textreader
          /opt/kennblaetter/Listen.xml
          /usr/share/man/man1/kennblaetter.1.gz
          /usr/share/man/de/man1/kennblaetter.1.gz
          /usr/share/man/de/man1/kb-demo.1.gz)
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

# An unprivileged user (nobody), with a home folder of their own and an English locale.
user_home="$work/home" user_logs="$work/user-logs"
mkdir -p "$user_home" "$user_logs" "$work/user-xdg"
chmod 700 "$work/user-xdg"
$sudo chown nobody:nogroup "$user_home" "$user_logs" "$work/user-xdg"
cp scripts/package-roundtrip.sh "$work/roundtrip.sh"
chmod 755 "$work/roundtrip.sh"
installed_ini=$(md5sum </opt/kennblaetter/kennblaetter.INI)
border_width() {
    sed -n '/^\[Columns_hcKopf\]/,/^\[/s/^1=\([0-9]*\).*/\1/p' "$1" | tr -d '\r'
}
view_value() {
    sed -n "/^\[View\]/,/^\[/s/^$2=\([-0-9]*\).*/\1/p" "$1" | tr -d '\r'
}
first_width=$(border_width /opt/kennblaetter/kennblaetter.INI)
[ -n "$first_width" ] || fail "the first run wrote no column widths"
(cd "$user_home" && $sudo setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i PATH=/usr/bin:/bin HOME="$user_home" TMPDIR="$user_home" LANG=C.UTF-8 \
    XDG_RUNTIME_DIR="$work/user-xdg" \
    timeout 240 xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$work/roundtrip.sh" --user-session "$user_logs") ||
    fail "the unprivileged user's session failed (pictures and settings in $user_logs)"
[ "$(md5sum </opt/kennblaetter/kennblaetter.INI)" = "$installed_ini" ] ||
    fail "the unprivileged user changed the installation's settings file"
for state in after-first-close after-second-close; do
    ini="$user_logs/$state.INI"
    [ "$(border_width "$ini")" = $((first_width + 50)) ] ||
        fail "$state: the first column is $(border_width "$ini") wide, expected $((first_width + 50))"
    [ "$(view_value "$ini" Aenderungsfilter)" = 1 ] ||
        fail "$state: the change filter is \"$(view_value "$ini" Aenderungsfilter)\", expected 1"
    grep -q '^\[BoundsfrmMain\]' "$ini" || fail "$state: no window bounds in the user's file"
    if grep -q '^\[Einstellungen\]' "$ini"; then
        fail "$state: the user's file holds the installation's section"
    fi
done
echo "package-roundtrip: an unprivileged user's view state went to ~/.config/kennblaetter and" \
     "came back; printing the list from the home folder opened the preview; the print dialog" \
     "spoke German"

# Removed: only the settings file (and its folder) stay. Purged: nothing stays.
apt_get remove kennblaetter
left=$(leftovers "$work/before")
[ "$left" = "$(printf '/opt/kennblaetter\n/opt/kennblaetter/kennblaetter.INI')" ] ||
    fail "after removal, expected only the settings file, found: $left"
apt_get purge kennblaetter
left=$(leftovers "$work/before")
[ -z "$left" ] || fail "left after purge: $left"
# What the README says purging leaves: each user's own settings.
[ -f "$user_home/.config/kennblaetter/kennblaetter.INI" ] ||
    fail "purging removed a user's own settings file"
while read -r path; do
    if [ -e "$path" ] && ! grep -qxF "$path" "$work/existed"; then
        fail "left after purge: $path"
    fi
done <"$work/packaged"
echo "package-roundtrip: installed, run, removed and purged in $((SECONDS - built)) s" \
     "(total $((SECONDS - started)) s)"

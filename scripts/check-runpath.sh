#!/bin/sh
# Fails when an ELF executable or shared library below the given folders (or a given file)
# has a run path (RUNPATH or RPATH) with an empty or relative entry: the dynamic loader reads
# such an entry against the working directory, so a library planted there would be loaded.
# Entries must be absolute paths or start with $ORIGIN. Needs readelf (binutils).
#   check-runpath.sh FOLDER_OR_FILE...
set -eu
[ $# -gt 0 ] || { echo "usage: check-runpath.sh FOLDER_OR_FILE..." >&2; exit 2; }
command -v readelf >/dev/null || { echo "check-runpath: readelf not found" >&2; exit 2; }

list=$(mktemp)
trap 'rm -f "$list"' EXIT
# Executables and shared objects; object files and static archives have no dynamic section.
find "$@" -type f \( -perm -u+x -o -name '*.so' -o -name '*.so.*' \) -print >"$list"

checked=0
bad=0
while IFS= read -r file; do
    # Only ELF files: the first four bytes are 7f 45 4c 46.
    [ "$(head -c 4 "$file" | od -An -tx1 | tr -d ' \n')" = 7f454c46 ] || continue
    checked=$((checked + 1))
    readelf -d "$file" 2>/dev/null |
        sed -n 's/.*(R\(UN\)\{0,1\}PATH).*: \[\(.*\)\]$/\2/p' >"$list.paths" || true
    while IFS= read -r path; do
        # Each entry of the colon-separated list, an empty one included.
        rest="$path:"
        while [ -n "$rest" ]; do
            entry=${rest%%:*}
            rest=${rest#*:}
            case $entry in
            /* | '$ORIGIN' | '$ORIGIN'/* | '${ORIGIN}' | '${ORIGIN}'/*) ;;
            *)
                echo "$file: run path [$path] has an empty or relative entry" >&2
                bad=$((bad + 1))
                break
                ;;
            esac
        done
    done <"$list.paths"
done <"$list"
rm -f "$list.paths"

if [ "$bad" -gt 0 ]; then
    echo "check-runpath: $bad of $checked ELF files have an empty or relative run-path entry" >&2
    exit 1
fi
if [ "$checked" -eq 0 ]; then
    echo "check-runpath: no ELF file found in $*" >&2
    exit 1
fi
echo "check-runpath: $checked ELF files, no empty or relative run-path entry"

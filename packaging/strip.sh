#!/bin/sh
# strip as Debian's packaging tools call it: also without the compiler's version comment
# and the bare .note section. Used as CMAKE_STRIP by scripts/package.sh.
exec strip --remove-section=.comment --remove-section=.note "$@"

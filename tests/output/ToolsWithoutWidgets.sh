#!/usr/bin/env bash
# Fails when one of the given programs loads Qt Widgets or Qt Print Support (which brings Widgets
# along), directly or through another library: the order tools run on machines and in scripts
# that have no desktop. The programs after --no-gui draw nothing at all: they must not load Qt Gui
# (and the font configuration it reads) either.
set -euo pipefail
status=0
forbidden='libQt6(Widgets|PrintSupport)'
for program in "$@"; do
  if [ "$program" = --no-gui ]; then
    forbidden='libQt6(Widgets|PrintSupport|Gui)|libfontconfig'
    continue
  fi
  libraries="$(ldd "$program")"
  if grep -Eq "$forbidden" <<<"$libraries"; then
    echo "$program loads:" && grep -E "$forbidden" <<<"$libraries"
    status=1
  elif ! grep -q 'libQt6Core' <<<"$libraries"; then
    # ldd did not list the program's libraries (not a dynamic program?): nothing was checked.
    echo "$program: no Qt libraries listed by ldd" && status=1
  else
    echo "$program: none of $forbidden"
  fi
done
exit $status

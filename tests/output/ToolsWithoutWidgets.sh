#!/usr/bin/env bash
# Fails when one of the given programs loads Qt Widgets or Qt Print Support (which brings Widgets
# along), directly or through another library: the order tools run on machines and in scripts
# that have no desktop.
set -euo pipefail
status=0
for program in "$@"; do
  libraries="$(ldd "$program")"
  if grep -Eq 'libQt6(Widgets|PrintSupport)' <<<"$libraries"; then
    echo "$program loads:" && grep -E 'libQt6(Widgets|PrintSupport)' <<<"$libraries"
    status=1
  elif ! grep -q 'libQt6Core' <<<"$libraries"; then
    # ldd did not list the program's libraries (not a dynamic program?): nothing was checked.
    echo "$program: no Qt libraries listed by ldd" && status=1
  else
    echo "$program: no Qt Widgets"
  fi
done
exit $status

#!/usr/bin/env bash
# Fails when an include runs upward or sideways between the source folders. Floors from the
# ground: core; imaging; orders and search; output and screens; visit and admin; station. A
# folder may include its own files and those of any lower floor.
set -euo pipefail
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/../src" && pwd)"
declare -A floor=([core]=0 [imaging]=1 [orders]=2 [search]=2 [output]=3 [screens]=3 [visit]=4 [admin]=4 [station]=5)
status=0
for dir in "${!floor[@]}"; do
  [ -d "$src/$dir" ] || continue
  while IFS=: read -r file _ target; do
    [ "$target" = "$dir" ] && continue
    if [ -z "${floor[$target]+x}" ]; then
      echo "unknown folder in an include: ${file#"$src"/} includes $target/"
      status=1
    elif [ "${floor[$target]}" -ge "${floor[$dir]}" ]; then
      echo "include runs upward: ${file#"$src"/} ($dir) includes $target/"
      status=1
    fi
  done < <(grep -rnoE '^#include "[a-z]+/' "$src/$dir" --include='*.h' --include='*.cpp' |
           sed -E 's/#include "([a-z]+)\/$/\1/')
done
[ "$status" -eq 0 ] && echo "includes run downward only"
exit "$status"

#!/bin/sh
# Every picture and relative link of the README names a file of the tree.
set -eu
cd "$1"
missing=0
for target in $(grep -o '](\([^)#:]*\))' README.md | sed 's/^](//; s/)$//' | sort -u); do
  [ -e "$target" ] || { echo "README links to a missing file: $target" >&2; missing=1; }
done
[ "$(grep -c 'docs/screenshots/' README.md)" -gt 0 ] || { echo "README shows no screenshot" >&2; exit 1; }
exit $missing

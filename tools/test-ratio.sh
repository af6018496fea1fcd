#!/usr/bin/env bash
# The size of the tests against the size of the code they test, in lines of
# .cpp and .h files: all lines (the measure the project's targets are set
# in) and non-blank lines beside it, for each source folder against its tests
# under tests/. The build-time skin painter in tools/ is code too; the shared
# scaffolding and the translation catalogue's checks are tests of no one
# folder and count in the total only.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Prints "LINES NONBLANK" for the .cpp and .h files git knows under a folder.
# Files deleted but not yet committed are skipped.
count() {
  local files
  files=$(git ls-files -co --exclude-standard -- "$1/*.cpp" "$1/*.h" 2>/dev/null || true)
  [ -z "$files" ] && { echo "0 0"; return; }
  echo "$files" | while read -r f; do [ -f "$f" ] && cat "$f"; done | awk 'NF { n++ } END { print NR, n + 0 }'
}

printf '%-18s %8s %8s %6s   %s\n' folder code tests ratio "(non-blank: code tests ratio)"
code_all=0 tests_all=0 code_nb=0 tests_nb=0
row() {
  awk -v f="$1" -v c="$2" -v t="$3" -v cn="$4" -v tn="$5" -v w="$6" \
    'BEGIN { printf "%-18s %8d %8d %6." w "f   (%d %d %." w "f)\n", f, c, t, c ? t / c : 0, cn, tn, cn ? tn / cn : 0 }'
}
for folder in common platform decoder protocol player assists tools; do
  read -r c cn < <(count "$folder")
  read -r t tn < <(count "tests/$folder")
  code_all=$((code_all + c)) code_nb=$((code_nb + cn))
  tests_all=$((tests_all + t)) tests_nb=$((tests_nb + tn))
  row "$folder" "$c" "$t" "$cn" "$tn" 2
done
for shared in tests/support tests/translations; do
  read -r t tn < <(count "$shared")
  tests_all=$((tests_all + t)) tests_nb=$((tests_nb + tn))
  printf '%-18s %8s %8d %6s   (%s %d)\n' "$shared" "" "$t" "" "-" "$tn"
done
row all "$code_all" "$tests_all" "$code_nb" "$tests_nb" 3

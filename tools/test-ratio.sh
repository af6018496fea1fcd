#!/usr/bin/env bash
# The size of the tests against the size of the code they test: non-blank
# lines of .cpp and .h files under tests/ and under the source folders, with
# the figure for each source folder beside its tests.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

lines() {
  local files
  files=$(git ls-files -co --exclude-standard -- "${@/%//*.cpp}" "${@/%//*.h}" 2>/dev/null || true)
  [ -z "$files" ] && { echo 0; return; }
  # Files deleted but not yet committed are skipped.
  echo "$files" | while read -r f; do [ -f "$f" ] && cat "$f"; done | grep -cv '^[[:space:]]*$' || true
}

printf '%-12s %8s %8s %6s\n' folder code tests ratio
total_code=0 total_tests=0
for folder in common platform decoder protocol player assists; do
  code=$(lines "$folder")
  tests=$(lines "tests/$folder")
  total_code=$((total_code + code))
  total_tests=$((total_tests + tests))
  awk -v f="$folder" -v c="$code" -v t="$tests" 'BEGIN { printf "%-12s %8d %8d %6.2f\n", f, c, t, c ? t / c : 0 }'
done
support=$(lines tests/support)
total_tests=$((total_tests + support))
printf '%-12s %8s %8d\n' tests/support "" "$support"
awk -v c="$total_code" -v t="$total_tests" 'BEGIN { printf "%-12s %8d %8d %6.2f\n", "all", c, t, t / c }'

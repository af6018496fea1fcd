#!/usr/bin/env bash
# Deliberate faults: each one is a small edit to the code that the tests must
# notice. For each fault the script edits one file of this tree, rebuilds the
# test build (build/test, made by ./dev build test if it is missing), runs
# the test programs that cover that code and puts the file back byte for byte
# (also when the script is interrupted). A fault is "caught" when the build or
# a test fails, "MISSED" when everything passes, and "not applied" when its
# text is no longer in the code (write it anew against the moved code).
#
#   tools/mutants.sh            every fault
#   tools/mutants.sh NAME...    only these (names as in the table below)
#
# Do not edit the tree while it runs.
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$top/build/test
work=$(mktemp -d /tmp/zelko-mutants-XXXXXX)
saved=""
restore() {
  if [ -n "$saved" ]; then
    cp -p "$work/original" "$saved"
    touch "$saved"
    saved=""
  fi
}
trap 'restore; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

# name | file | text | replacement | the tests that cover it: test programs
# (build/tests/...), each optionally narrowed to some of its suites with
# =Suite,Suite (the texts cannot hold a "|")
faults=(
  "gauge-suffix|player/widgets/BodyRules.cpp|if (percent < 5)|if (percent <= 5)|player/widgets/test_player_widgets=BodyRules,BodyActionTest"
  "end-of-track|player/playback/ShuffleOrder.cpp|return repeat ? m_Order.front() : kPastEnd;|return repeat ? kPastEnd : m_Order.front();|player/playback/test_player_playback=NextPrevTest player/test_player=PlayLoopTest,TransportTest"
  "swapped-field|assists/remote/RemoteInfoText.cpp|protocol::SongFieldText(r.ArtistName, charset) + \"\\r\\n\" + \"Track=\"|protocol::SongFieldText(r.TrackName, charset) + \"\\r\\n\" + \"Track=\"|assists/remote/test_remote"
  "lost-settings-key|player/shell/ZelkoSettings.cpp|profile.SetValue(\"LyricsFile\", \"Folder\", s.LyricsFolder);|(void)s.LyricsFolder;|player/shell/test_player_shell player/test_player=StartupShutdownTest"
  "raster-op|player/skin/RasterCopy.cpp|dst[i] = ((dst[i] & src[i]) & 0x00FFFFFFu)|dst[i] = ((dst[i] ^ src[i]) & 0x00FFFFFFu)|player/skin/test_player_skin=DrawingSurfaceTest player/widgets/test_player_widgets=ButtonActionTest"
  "shuffle-repeats|player/playback/ShuffleOrder.cpp|std::swap(m_Order[i], m_Order[pick(rng)]);|m_Order[i] = m_Order[pick(rng)];|player/playback/test_player_playback=ShuffleOrderTest"
  "busy-flag-clear|platform/IncomingRequests.cpp|it->second->Busy = false;|(void)it->second;|platform/test_platform=MessageWindow"
  "key-binding|player/playback/KeyTable.h|{85, false, KeyCommand::Pause}|{89, false, KeyCommand::Pause}|player/playback/test_player_playback player/test_player=MenuKeyTest"
)

wanted=("$@")
selected() {
  [ ${#wanted[@]} -eq 0 ] && return 0
  local w
  for w in "${wanted[@]}"; do [ "$w" = "$1" ] && return 0; done
  return 1
}

[ -f "$build/build.ninja" ] || "$top/dev" build test >/dev/null || exit 1
export CCACHE_BASEDIR=$top CCACHE_NOHASHDIR=1

export ASAN_OPTIONS="abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ZELKO_AUDIO=null

# Runs the tests through CTest (which gives each case its platform and
# environment). Failed cases run once more, so that a case that failed only
# because the machine was slow does not count.
run_programs() {
  local regex="" p bin suites suite name
  for p in "$@"; do
    bin=$build/tests/${p%%=*}
    suites=""
    [[ $p == *=* ]] && suites=",${p#*=},"
    [ -x "$bin" ] || { echo "no test program ${p%%=*}" >&2; return 2; }
    while read -r suite name; do
      [ -n "$suites" ] && [[ $suites != *",$suite,"* ]] && continue
      # A parameterised case's CTest name goes on with "  # GetParam() = ...".
      # No groups: CTest's expressions allow only a few of them.
      regex+="${regex:+|}^${suite//./\\.}\\.${name}\$|^${suite//./\\.}\\.${name} "
    done < <(QT_QPA_PLATFORM=offscreen "$bin" --gtest_list_tests 2>/dev/null |
             awk '/^[^ ]/ {suite=substr($1, 1, length($1) - 1)} /^  / {print suite, $1}')
  done
  [ -n "$regex" ] || return 2
  nice xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$build" -j 2 --timeout 120 -R "$regex" >"$work/last-test.log" 2>&1 && return 0
  nice xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$build" -j 2 --timeout 120 --rerun-failed >"$work/last-test.log" 2>&1
}

targets() { local p; for p in "$@"; do p=${p%%=*}; basename "$p"; done; }

# Without any fault every program must pass, or a failure would prove nothing.
all_programs=()
for entry in "${faults[@]}"; do
  IFS='|' read -r name _ _ _ programs <<<"$entry"
  selected "$name" && all_programs+=($programs)
done
mapfile -t all_programs < <(printf '%s\n' "${all_programs[@]}" | sort -u)
nice cmake --build "$build" -j 2 --target $(targets "${all_programs[@]}") >"$work/last-build.log" 2>&1 ||
  { tail -30 "$work/last-build.log" >&2; echo "the unchanged tree does not build" >&2; exit 1; }
run_programs "${all_programs[@]}" ||
  { tail -30 "$work/last-test.log" >&2; echo "the unchanged tree fails its tests" >&2; exit 1; }
echo "Without faults: ${all_programs[*]} pass"

results=()
for entry in "${faults[@]}"; do
  IFS='|' read -r name file text replacement programs <<<"$entry"
  selected "$name" || continue
  read -r -a progs <<<"$programs"
  path=$top/$file
  cp -p "$path" "$work/original"
  saved=$path
  python3 - "$path" "$text" "$replacement" <<'EOF'
import sys
path, old, new = sys.argv[1:4]
s = open(path, encoding="utf-8").read()
if old in s:
    open(path, "w", encoding="utf-8").write(s.replace(old, new, 1))
EOF
  if cmp -s "$path" "$work/original"; then
    outcome="not applied"
  elif ! nice cmake --build "$build" -j 2 --target $(targets "${progs[@]}") >"$work/last-build.log" 2>&1; then
    outcome="caught (build)"
  elif run_programs "${progs[@]}"; then
    outcome="MISSED"
  else
    failed=$(grep -E '^\s+[0-9]+ - ' "$work/last-test.log" | sed 's/^ *[0-9]* - //; s/ (.*//' | paste -sd, -)
    outcome="caught by ${failed:-the tests}"
  fi
  restore
  results+=("$(printf '%-18s %s' "$name" "$outcome")")
  echo "${results[-1]}"
done

echo
echo "Faults:"
printf '  %s\n' "${results[@]}"
# Leave the test build matching the tree again.
nice cmake --build "$build" -j 2 >/dev/null 2>&1
grep -q "MISSED\|not applied" <<<"${results[*]}" && exit 1
exit 0

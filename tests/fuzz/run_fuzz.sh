#!/bin/sh
# Runs the fuzz targets built in build-fuzz/ one after the other (one core each time):
#   tests/fuzz/run_fuzz.sh SECONDS [TARGET...]      targets: console program codecs
# Seeds and dictionaries are made from the transcripts; the corpus of each target grows
# in build-fuzz/fuzz/corpus/TARGET from run to run; logs go to build-fuzz/fuzz/logs/ and
# any crash, leak or hang input to build-fuzz/fuzz/artifacts/. Exits non-zero when a
# target found something.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-fuzz
work=$build/fuzz
seconds=${1:-30}
[ $# -gt 0 ] && shift
targets=${*:-console program codecs}

mkdir -p "$work/logs" "$work/artifacts"
"$build/tests/fuzz/fuzz_seeds" "$root/tests/transcripts" "$work/seeds" >/dev/null

failed=""
for target in $targets; do
  corpus=$work/corpus/$target
  mkdir -p "$corpus"
  case $target in
    console) inputs="$work/seeds/console"; dictionary="-dict=$work/seeds/console.dict" ;;
    program) inputs="$work/seeds/program"; dictionary="-dict=$work/seeds/program.dict" ;;
    codecs) inputs="$work/seeds/console $work/seeds/program"; dictionary="" ;;
    *) echo "run_fuzz: unknown target $target" >&2; exit 2 ;;
  esac
  log=$work/logs/$target.log
  echo "fuzz $target: $seconds s, log $log"
  # shellcheck disable=SC2086 # the seed directories and the dictionary flag split on purpose
  if "$build/tests/fuzz/fuzz_$target" "$corpus" $inputs $dictionary -max_len=4096 -timeout=10 \
      -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/artifacts/$target-" \
      >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1
  else
    echo "fuzz $target: FINDING, see $log and $work/artifacts/"
    grep -E 'ERROR|SUMMARY|violated|unexpected' "$log" | head -n 5
    failed="$failed $target"
  fi
done
[ -z "$failed" ] || { echo "fuzz: findings in$failed"; exit 1; }

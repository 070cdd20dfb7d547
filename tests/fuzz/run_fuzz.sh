#!/bin/sh
# Runs the fuzz targets built in build-fuzz/ one after the other (one core each time):
#   tests/fuzz/run_fuzz.sh SECONDS [TARGET...]      targets: console program codecs lsp check dap
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
targets=${*:-console program codecs lsp check dap}

mkdir -p "$work/logs" "$work/artifacts"
"$build/tests/fuzz/fuzz_seeds" "$root/tests/transcripts" "$work/seeds" >/dev/null

failed=""
for target in $targets; do
  corpus=$work/corpus/$target
  mkdir -p "$corpus"
  # Console inputs are kept to 1 KB (a dozen lines or so): longer sessions mostly repeat
  # listings and slow the target down threefold without reaching more code.
  length=4096
  case $target in
    console) inputs="$work/seeds/console"; dictionary="-dict=$work/seeds/console.dict"; length=1024 ;;
    program) inputs="$work/seeds/program"; dictionary="-dict=$work/seeds/program.dict" ;;
    codecs) inputs="$work/seeds/console $work/seeds/program"; dictionary="" ;;
    check) inputs="$work/seeds/program"; dictionary="-dict=$work/seeds/program.dict" ;;
    # Language server sessions: the seeds and words are kept beside the target.
    lsp) inputs="$root/tests/fuzz/lsp_seeds"; dictionary="-dict=$root/tests/fuzz/lsp.dict" ;;
    dap) inputs="$root/tests/fuzz/dap_seeds"; dictionary="-dict=$root/tests/fuzz/dap.dict" ;;
    *) echo "run_fuzz: unknown target $target" >&2; exit 2 ;;
  esac
  log=$work/logs/$target.log
  echo "fuzz $target: $seconds s, log $log"
  # On a shared machine the wall-clock rate says little: the CPU time is kept beside it.
  timing=""
  [ -x /usr/bin/time ] && timing="/usr/bin/time -f %U+%S -o $log.cpu"
  # shellcheck disable=SC2086 # the seed directories, flags and timing split on purpose
  if $timing "$build/tests/fuzz/fuzz_$target" "$corpus" $inputs $dictionary -max_len="$length" -timeout=10 \
      -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/artifacts/$target-" \
      >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    if [ -n "$timing" ] && [ -n "$runs" ]; then
      awk -v runs="$runs" -F+ '{ cpu = $1 + $2; if (cpu > 0) printf "fuzz %s: %d inputs in %.0f s of CPU, %.0f inputs per CPU second\n", t, runs, cpu, runs / cpu }' \
        t="$target" "$log.cpu"
    fi
  else
    echo "fuzz $target: FINDING, see $log and $work/artifacts/"
    grep -E 'ERROR|SUMMARY|violated|unexpected' "$log" | head -n 5
    failed="$failed $target"
  fi
done
[ -z "$failed" ] || { echo "fuzz: findings in$failed"; exit 1; }

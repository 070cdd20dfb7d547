#!/bin/sh
# Tests of the editor support: the generated files match editors/keywords.txt, the
# TextMate grammar passes its sample files, and Vim loads the syntax file headless.
# With a built localinterp (LOCALINTERP_BINARY, else build-test/ or build/), the VS Code
# problem matcher and Vim's :make are also tried on what `localinterp --check` prints, and
# the language server (--lsp) and the debug adapter (--dap) are driven by real clients.
# A missing tool (npm, vim) is reported as a skip, not a failure.
set -eu
cd "$(dirname "$0")"
if [ -z "${LOCALINTERP_BINARY:-}" ]; then
  for candidate in ../build-test/localinterp ../build/localinterp; do
    if [ -x "$candidate" ]; then
      LOCALINTERP_BINARY=$(cd "$(dirname "$candidate")" && pwd)/localinterp
      break
    fi
  done
fi
export LOCALINTERP_BINARY="${LOCALINTERP_BINARY:-}"

if command -v npm >/dev/null 2>&1; then
  # Installed again whenever the lock file is newer than what npm last installed.
  [ node_modules/.package-lock.json -nt package-lock.json ] || npm ci --no-audit --no-fund --loglevel=error
  npm test
  [ -n "$LOCALINTERP_BINARY" ] ||
    echo "editors: language server test skipped: no built localinterp (make test builds one)"
else
  echo "editors: grammar and language server tests skipped: npm is not installed"
fi

if command -v vim >/dev/null 2>&1; then
  report=$(mktemp)
  trap 'rm -f "$report"' EXIT
  status=0
  VIM_TEST_REPORT="$report" vim -Nu NONE -i NONE -es -S vim/tests/syntax_test.vim </dev/null >/dev/null 2>&1 || status=$?
  cat "$report"
  [ "$status" -eq 0 ] || { echo "editors: Vim syntax test failed"; exit 1; }
  if [ -n "$LOCALINTERP_BINARY" ]; then
    : >"$report"
    status=0
    PATH="$(dirname "$LOCALINTERP_BINARY"):$PATH" VIM_TEST_REPORT="$report" \
      vim -Nu NONE -i NONE -es -S vim/tests/make_test.vim </dev/null >/dev/null 2>&1 || status=$?
    cat "$report"
    [ "$status" -eq 0 ] || { echo "editors: Vim :make test failed"; exit 1; }
  else
    echo "editors: Vim :make test skipped: no built localinterp (make test builds one)"
  fi
else
  echo "editors: Vim syntax test skipped: vim is not installed (apt-get install vim)"
fi

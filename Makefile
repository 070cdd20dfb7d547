# Thin wrapper over CMake: `make run` builds and starts the console only, `make test`
# builds and runs every test, `make package` builds a Debian package, `make fuzz` builds
# the fuzz targets with clang and runs each for FUZZ_SECONDS; `make package-check` runs
# lintian on the package.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 30

.PHONY: build run test bench package package-check fuzz clean web web-serve web-test editors-test

build:
	cmake --preset default
	cmake --build --preset default -j $(JOBS) --target localinterp

# A few lines of progress (the build's own output goes to build/make-run.log, shown only
# when it fails), then the console.
run:
	@echo "localinterp: configuring build/ ..."
	@cmake --preset default --log-level=WARNING > /dev/null
	@echo "localinterp: building build/localinterp ..."
	@cmake --build --preset default -j $(JOBS) --target localinterp > build/make-run.log 2>&1 || \
		{ cat build/make-run.log; exit 1; }
	@echo "localinterp: built; QUIT or Ctrl-D leaves the console"
	@./build/localinterp

test:
	cmake --preset test
	cmake --build --preset test -j $(JOBS)
	ctest --preset test -j $(JOBS)

package: build
	cd build && cpack -G DEB

# The package as Debian's checker sees it: no error and no warning, pedantic tags included.
package-check: package
	lintian --pedantic --fail-on error,warning,pedantic build/localinterp_*.deb

# Times workloads in the release build beside python3 and lua5.4; BENCH_RUNS=N, BENCH_ONLY=a,b,
# BENCH_ARGS for more options (see bench/run_bench.py --help).
bench:
	python3 bench/run_bench.py $(BENCH_ARGS)

fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	tests/fuzz/run_fuzz.sh $(FUZZ_SECONDS)

# The browser playground (see README, "Playground"): the interpreter compiled with emscripten
# and the static page around it, in build-web/site/. Debian's emscripten needs its own Node
# modules when the machine's node is not Debian's.
WEB_ENV = NODE_PATH=$${NODE_PATH:-/usr/share/nodejs}
web:
	$(WEB_ENV) emcmake cmake --preset web
	$(WEB_ENV) cmake --build --preset web -j $(JOBS) --target localinterp_web
	cd web && { [ node_modules/.package-lock.json -nt package-lock.json ] || npm ci --no-audit --no-fund; }
	node web/build.mjs

web-serve: web
	node web/serve.mjs

# Headless Chromium against the page on 127.0.0.1; the editor grammars' tests first.
web-test: editors-test web
	node --test web/test/

editors-test:
	editors/run_tests.sh

clean:
	rm -rf build build-test build-fuzz build-web

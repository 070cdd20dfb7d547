# Thin wrapper over CMake: `make run` builds and starts the console only, `make test`
# builds and runs every test, `make package` builds a Debian package, `make fuzz` builds
# the fuzz targets with clang and runs each for FUZZ_SECONDS; `make package-check` runs
# lintian on the package.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 30

.PHONY: build run test bench package package-check fuzz clean

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

clean:
	rm -rf build build-test build-fuzz

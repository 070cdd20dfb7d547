# Thin wrapper over CMake: `make run` starts the console, `make test` runs every test,
# `make fuzz` builds the fuzz targets with clang and runs each for FUZZ_SECONDS.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 30

.PHONY: build run test bench fuzz clean

build:
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

run: build
	./build/localinterp

test:
	cmake --preset test
	cmake --build --preset test -j $(JOBS)
	ctest --preset test -j $(JOBS)

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

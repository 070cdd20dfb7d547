# Thin wrapper over CMake: `make run` starts the console, `make test` runs every test.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: build run test clean

build:
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

run: build
	./build/localinterp

test:
	cmake --preset test
	cmake --build --preset test -j $(JOBS)
	ctest --preset test -j $(JOBS)

clean:
	rm -rf build build-test

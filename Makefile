# Everything a fresh Debian 12 machine needs: `make run` and `make test` install
# what is missing, build, and run the program or every test.

JOBS ?= $(shell nproc)

.PHONY: all deps configure build asan run test test-asan screenshots clean

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build --preset default -j $(JOBS)

asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)

run: build
	./build/src/app/halvorn-setup

# Unit, widget and end-to-end tests, then the unit and widget tests once more
# under AddressSanitizer and UndefinedBehaviorSanitizer.
test: build asan
	ctest --preset default -j $(JOBS)
	ctest --preset asan -j $(JOBS)

screenshots: build
	@bash scripts/screenshots build/tests/halvorn-screenshots docs/screenshots

clean:
	rm -rf build build-asan

# Everything a fresh Debian 12 machine needs: `make run` and `make test` install
# what is missing, build, and run the program or every test.

SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: all deps configure build release package asan run test test-asan screenshots fuzz bench lint mutate clean \
  windows test-windows

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build --preset default -j $(JOBS)

# The program as a distribution builds it (build-release/): Release, Debian's
# own compiler and linker flags with every hardening feature (fortify, stack
# protector, relro, bindnow, PIE) and its -O2, warnings not turned into errors,
# no unit or widget tests: everything `cmake --install` installs, and only the
# small library the mail sender's test preloads besides. It defines the tests
# of the program as users run it (end-to-end, installation, the mail sender),
# which `make test` runs on it: the program tested is the one packaged. The
# flags are given on each configure, so a changed flag reaches an existing build.
BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get

release: deps
	@cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DHALVORN_BUILD_TESTS=OFF -DHALVORN_SYSTEM_TESTS=ON \
	  -DCMAKE_CXX_FLAGS="$$($(BUILDFLAGS) CXXFLAGS) $$($(BUILDFLAGS) CPPFLAGS)" -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)" >/dev/null
	@cmake --build build-release -j $(JOBS)

# The Debian package build/halvorn-setup_<version>_<arch>.deb, made from the
# release build, then lintian: an error or a warning fails.
package: release
	@rm -f build/halvorn-setup_*.deb
	@cpack --config build-release/CPackConfig.cmake -B $(CURDIR)/build >/dev/null
	@lintian --allow-root --display-info --fail-on error,warning build/halvorn-setup_*.deb

asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)

run: build
	./build/src/app/halvorn-setup

# The unit and widget tests (with the command line's and the reference files')
# under AddressSanitizer and UndefinedBehaviorSanitizer, then the end-to-end,
# installation and mail sender tests on the release build, the program as it is
# packaged. The package is built and passed through lintian first: the
# installation test installs it. (`ctest --preset default` runs them all on the
# developer's build of `make build`.)
test: package asan
	ctest --preset asan -j $(JOBS)
	ctest --test-dir build-release -j $(JOBS) --output-on-failure --timeout 600

# The core, the platform layer and the store cross-built for 64-bit Windows
# with MinGW-w64 (build-windows/), with the unit tests that need no Qt; they run
# under Wine in a prefix of the build's own, in a Japanese locale, so that the
# system's code page is 932 as on a Japanese Windows.
WINE_ENV = WINEPREFIX=$(CURDIR)/build-windows/wine WINEDEBUG=-all LC_ALL=ja_JP.UTF-8

windows: deps
	@cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DHALVORN_WERROR=ON >/dev/null
	@cmake --build build-windows -j $(JOBS)

test-windows: windows
	@# One Wine server for the prefix's set-up and every program the tests start, instead of one started
	@# (and ended) for each; its services start here, with nothing of the tests' output to hold open.
	@mkdir -p build-windows/wine
	@$(WINE_ENV) wineserver -p
	@[ -f build-windows/wine/system.reg ] || $(WINE_ENV) wineboot -i >/dev/null 2>&1 </dev/null
	@$(WINE_ENV) wine cmd /c exit >/dev/null 2>&1 </dev/null
	@$(WINE_ENV) ctest --test-dir build-windows -j $(JOBS) --output-on-failure; status=$$?; \
	  $(WINE_ENV) wineserver -k; exit $$status

screenshots: build
	@bash scripts/screenshots build/tools/screenshots/halvorn-screenshots docs/screenshots

# libFuzzer targets built with clang, AddressSanitizer and UBSan in build-fuzz,
# each run for FUZZ_SECONDS from the stored seeds; new inputs it finds stay in
# build-fuzz/corpus/. `make test` replays the stored seeds as a test.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := startup

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@set -e; for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t; \
	  echo "fuzz: $$t for $(FUZZ_SECONDS) s"; \
	  QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$(CURDIR)/tests/fuzz/lsan.supp \
	    build-fuzz/tests/fuzz/$${t}_fuzz -max_total_time=$(FUZZ_SECONDS) \
	    -max_len=4096 -print_final_stats=1 -artifact_prefix=build-fuzz/$$t- \
	    build-fuzz/corpus/$$t tests/fixtures/fuzz/$$t; \
	done

# Start-up time and peak memory against a bare Qt dialog, and the time of one
# save; under a private Xvfb. Figures go to standard output (see docs/PERFORMANCE.md).
BENCH_RUNS ?= 15

bench: configure
	@cmake --build --preset default -j $(JOBS) --target halvorn-setup-bench bare_dialog save_bench
	@/usr/bin/python3 bench/run_bench.py build $(BENCH_RUNS)

# clang-tidy with the checks in .clang-tidy over the program's sources, the
# benchmarks and the test doubles, then the formatting check over every source.
# The compile commands come from a tree configured for it alone (build-lint/),
# where nothing is built and no header is precompiled: clang cannot read gcc's
# precompiled headers. The test cases themselves, mostly GoogleTest macros, are
# left to the compiler's warnings: they would double the time of a run on two cores.
LINT_BUILD ?= build-lint
LINT_SOURCES = $(shell git ls-files 'src/*.cpp' 'bench/*.cpp' 'tests/support/*.cpp' | grep -v '^src/platform/win32/')
FORMAT_SOURCES = $(shell git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')

lint: deps
	@cmake -S . -B $(LINT_BUILD) -G Ninja -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON -DHALVORN_WERROR=ON >/dev/null
	@run-clang-tidy -quiet -p $(LINT_BUILD) -j $(JOBS) $(addprefix $(CURDIR)/,$(LINT_SOURCES)) 2>&1 \
	  | grep -v -E '^(clang-tidy|[0-9]+ warnings? generated|Suppressed [0-9]+ warnings|Use -header-filter|Running clang-tidy)' ; \
	  exit $${PIPESTATUS[0]}
	@clang-format --dry-run --Werror $(FORMAT_SOURCES)

# Seeded faults from scripts/mutants.txt, one at a time, in a scratch build
# (build-mutate/): each must make a unit or widget test fail. MUTANTS=word
# picks the faults whose name contains the word.
mutate: deps
	@/usr/bin/python3 scripts/mutate $(MUTANTS)

clean:
	rm -rf build build-asan build-fuzz build-lint build-mutate build-release build-windows

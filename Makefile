# The two commands of the README:
#   make run    builds ravelink and starts it in scratch/ on the shipped templates
#   make test   builds and runs every test, in the Release build and under
#               ASan+UBSan, after each fuzz target ran for FUZZ_SECONDS on its
#               corpus; this is what CI runs
# and for developers:
#   make check  the Release build's unit tests and transcripts only: no package
#               installs, no sanitizers, no fuzzing, none of the tests labelled
#               slow (terminal sessions, Chromium, installation)
#   make tidy   clang-tidy with the checks of .clang-tidy over src/
# Every build here treats warnings as errors; a plain CMake build does not.
JOBS ?= $(shell nproc)
CLANG_TIDY ?= clang-tidy

# Debian packages: to build and run, and in addition to run every test
# (clang and libclang-rt-dev build the fuzz targets; clang's own packages
# only recommend the libFuzzer runtime). Installed when missing and root.
RUN_PACKAGES = cmake g++ make pkg-config libedit-dev libncurses-dev libxml2-dev libcurl4-openssl-dev libidn2-dev \
               nlohmann-json3-dev libsqlite3-dev
TEST_PACKAGES = $(RUN_PACKAGES) libgtest-dev tmux python3 python3-html5lib chromium groff-base \
                clang libclang-rt-dev buku pandoc hnb firefox-esr
FUZZ_SECONDS ?= 60

.PHONY: run test check tidy build build-program build-asan fuzz-smoke clean run-packages test-packages

# Release (-O3), what users get from a packaged build; it also lets the
# optimizer's warnings and the tests at full optimization fail CI.
build:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DRAVELINK_WERROR=ON >/dev/null
	cmake --build build -j $(JOBS)

# The program alone, for `make run`: a first run waits for no test or
# benchmark to compile.
build-program:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DRAVELINK_WERROR=ON >/dev/null
	cmake --build build -j $(JOBS) --target ravelink

build-asan:
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DRAVELINK_SANITIZE=ON -DRAVELINK_WERROR=ON >/dev/null
	cmake --build build-asan -j $(JOBS)

run-packages:
	sh scripts/need-packages.sh $(RUN_PACKAGES)

test-packages:
	sh scripts/need-packages.sh $(TEST_PACKAGES)

run: run-packages build-program
	mkdir -p scratch
	cp templates/*.tem scratch/
	cd scratch && ../build/ravelink page.html

test: test-packages build build-asan fuzz-smoke
	cd build && ctest --output-on-failure -j $(JOBS)
	cd build-asan && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 ctest --output-on-failure -j $(JOBS)

check: build
	cd build && ctest --output-on-failure -j $(JOBS) --label-exclude slow

# Reads the compile commands the build exports; the header filter and the
# checks come from .clang-tidy. Findings go to standard output. Standard
# error is shown only on failure, without clang's "N warnings generated"
# counts (diagnostics inside the system headers, which the filter drops).
tidy: build
	$(CLANG_TIDY) --quiet -p build $(wildcard src/*/*.cpp) 2> build/tidy.err || \
	  { grep -v ' warnings generated\.$$' build/tidy.err >&2; exit 1; }

# The libFuzzer targets need clang; without it this fails, it never skips.
fuzz-smoke:
	JOBS=$(JOBS) sh tests/fuzz/build.sh $(CURDIR)/build-fuzz
	sh tests/fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build build-asan build-fuzz scratch

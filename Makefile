# The two commands of the README:
#   make run    builds ravelink and starts it in scratch/ on the shipped templates
#   make test   builds and runs every test, plainly and under ASan+UBSan,
#               after each fuzz target ran for FUZZ_SECONDS on its corpus
JOBS ?= $(shell nproc)

# Debian packages: to build and run, and in addition to run every test
# (clang and libclang-rt-dev build the fuzz targets; clang's own packages
# only recommend the libFuzzer runtime). Installed when missing and root.
RUN_PACKAGES = cmake g++ make pkg-config libedit-dev libxml2-dev
TEST_PACKAGES = $(RUN_PACKAGES) libgtest-dev tmux python3-html5lib chromium groff-base \
                clang libclang-rt-dev
FUZZ_SECONDS ?= 60

.PHONY: run test build build-asan fuzz-smoke clean run-packages test-packages

build:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build build -j $(JOBS)

build-asan:
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DRAVELINK_SANITIZE=ON >/dev/null
	cmake --build build-asan -j $(JOBS)

run-packages:
	sh scripts/need-packages.sh $(RUN_PACKAGES)

test-packages:
	sh scripts/need-packages.sh $(TEST_PACKAGES)

run: run-packages build
	mkdir -p scratch
	cp templates/*.tem scratch/
	cd scratch && ../build/ravelink page.html

test: test-packages build build-asan fuzz-smoke
	cd build && ctest --output-on-failure -j $(JOBS)
	cd build-asan && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 ctest --output-on-failure -j $(JOBS)

# The libFuzzer targets need clang; without it this fails, it never skips.
fuzz-smoke:
	JOBS=$(JOBS) sh tests/fuzz/build.sh $(CURDIR)/build-fuzz
	sh tests/fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build build-asan build-fuzz scratch

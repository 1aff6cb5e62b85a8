# Quick start targets. Each installs what it is missing, configures and builds.
BUILD ?= build
JOBS ?= $(shell nproc)
# More options for the configure step, e.g. CMAKE_ARGS=-DBUILD_TESTING=OFF.
CMAKE_ARGS ?=
# Time stamps in what is built and packed: the last commit's, unless the
# caller gives SOURCE_DATE_EPOCH (as dpkg-buildpackage does).
ifeq ($(origin SOURCE_DATE_EPOCH),undefined)
SOURCE_DATE_EPOCH := $(shell git -C '$(CURDIR)' log -1 --format=%ct 2>/dev/null)
endif
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif

.PHONY: deps configure build run run-marrasket test test-sanitize test-clang lint package screenshots fuzz clean

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/quillon/quillon

run-marrasket: build
	$(BUILD)/marrasket/marrasket

# TEST_LABELS, a ctest label expression such as 'unit|widget', runs only those.
TEST_LABELS ?=
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) $(if $(TEST_LABELS),-L '$(TEST_LABELS)')

# shellcheck on every tracked shell script and clang-tidy (.clang-tidy) on the
# product's sources, with the compile commands of $(BUILD); fails on any
# finding. Configuring is enough: clang-tidy reads the sources, not objects.
lint: configure
	scripts/lint.sh $(BUILD) $(JOBS)

# The Debian package, in $(BUILD). cpack gives the package's own members the
# modes that the builder's umask gives their files, so the umask is fixed.
package: build
	cd $(BUILD) && umask 022 && cpack -G DEB

# Remakes the pictures of the README under Xvfb.
screenshots: build
	scripts/screenshots.sh $(BUILD) docs/screenshots

# The libFuzzer targets of the calendar core; FUZZ_RUNS executions of each.
FUZZ_RUNS ?= 1000000
fuzz: deps
	cmake -S . -B $(BUILD)-fuzz -DFUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD)-fuzz -j $(JOBS)
	fuzz/run.sh $(BUILD)-fuzz $(FUZZ_RUNS)

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON
	cmake --build $(BUILD)-sanitize -j $(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ctest --test-dir $(BUILD)-sanitize --output-on-failure -j $(JOBS)

# The whole tree built with clang, its warnings taken as errors, and the unit
# and widget tests run on that build.
test-clang: deps
	cmake -S . -B $(BUILD)-clang -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DBUILD_BENCHMARKS=OFF
	cmake --build $(BUILD)-clang -j $(JOBS)
	ctest --test-dir $(BUILD)-clang --output-on-failure -j $(JOBS) -L 'unit|widget'

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize $(BUILD)-clang $(BUILD)-fuzz

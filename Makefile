# make run    set up, build and start the program
# make test   set up, build and run every test, then the same under
#             AddressSanitizer + UBSan, then the fuzz targets
# make bench  set up, build and run the benchmarks (BEFORE=DIR: beside the
#             build of another checkout in DIR, see bench/run.sh)
# make package  set up, build and make the Debian package build/meetling_<version>_<arch>.deb
# make stress-test  the test suites of build/ and build-asan/, STRESS_ROUNDS
#             times each (5 unless told) with one core kept busy
#             (STRESS_LOAD=2: both cores)

BUILD := build
JOBS  := 2

FUZZ_SECONDS := 30
STRESS_ROUNDS := 5

# LeakSanitizer's suppressions for what the system libraries leak.
ASAN_ENV := LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

.PHONY: setup build run test check bench package sanitize sanitize-build fuzz stress-test clean

setup:
	@sh scripts/setup-debian.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/meetling

test: check sanitize fuzz

check: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

package: build
	cmake --build $(BUILD) --target package

bench: setup $(BUILD)/CMakeCache.txt
	cmake -S . -B $(BUILD) -DMEETLING_BENCH=ON
	cmake --build $(BUILD) -j$(JOBS) --target meetling meetling_bench meetling_stats_bench bare_window startup_harness \
		meetling-answer meetling_answer_bench drag_harness
	sh bench/run.sh $(BUILD) $(BEFORE)

# The whole test suite under AddressSanitizer and UBSan. Line tables (-g1)
# are all the sanitizers' reports need, and build much faster than -g.
sanitize: sanitize-build
	$(ASAN_ENV) ctest --test-dir $(BUILD)-asan --output-on-failure -j$(JOBS)

sanitize-build: setup
	[ -f $(BUILD)-asan/CMakeCache.txt ] || cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS_DEBUG=-g1 -DMEETLING_SANITIZE=ON
	cmake --build $(BUILD)-asan -j$(JOBS)

# Proof that the suites pass on a busy machine: every round of both builds
# must pass while one core spins, or STRESS_LOAD of them.
stress-test: build sanitize-build
	$(ASAN_ENV) sh tests/stress.sh $(STRESS_ROUNDS) $(BUILD) $(BUILD)-asan

# Every libFuzzer target for FUZZ_SECONDS on a copy of its seed corpus.
fuzz: setup
	[ -f $(BUILD)-fuzz/CMakeCache.txt ] || cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" -DCMAKE_CXX_COMPILER=clang++ -DMEETLING_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build $(BUILD)-fuzz -j$(JOBS) --target meetling_fuzz
	sh tests/fuzz/run.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-fuzz

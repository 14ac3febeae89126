# make run    set up, build and start the program
# make test   set up, build and run every test
# make bench  set up, build and run the benchmarks
# make package  set up, build and make the Debian package build/meetling_<version>_<arch>.deb

BUILD := build
JOBS  := 2

.PHONY: setup build run test bench package sanitize clean

setup:
	@sh scripts/setup-debian.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/meetling

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

package: build
	cmake --build $(BUILD) --target package

bench: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS) --target meetling meetling_bench meetling_stats_bench bare_window startup_harness
	sh bench/run.sh $(BUILD)

# The conversion and core tests under AddressSanitizer and UBSan.
sanitize: setup
	cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug -DMEETLING_SANITIZE=ON
	cmake --build $(BUILD)-asan -j$(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 ctest --test-dir $(BUILD)-asan --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD)-asan

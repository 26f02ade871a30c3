# make run    installs what is missing, builds, and starts the program on samples/
# make test   installs what is missing, builds, and runs every test
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
CTEST_FLAGS ?= --output-on-failure -j2
.PHONY: deps build run test test-asan fuzz bench package clean

deps:
	@bash scripts/deps.sh

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest $(CTEST_FLAGS)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQELVAR_SANITIZE=ON -DQELVAR_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD)
	@cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest $(CTEST_FLAGS)

# make fuzz   builds the readers' libFuzzer targets with clang and runs each for FUZZ_SECONDS on a copy of
#             the seed corpus; a crash is left in $(FUZZ_BUILD)/artifacts and fails the run
fuzz: deps
	@CXX=clang++ CC=clang cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQELVAR_FUZZ=ON \
		-DQELVAR_BENCH=OFF -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) --target fuzz_sbs fuzz_arp fuzz_dat fuzz_sector
	@bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bench/qelvar_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

run: build
	@bash scripts/run.sh $(BUILD)

package: build
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)

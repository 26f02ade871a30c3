# make run    installs what is missing, builds, and starts the program on samples/
# make test   installs what is missing, builds, and runs every test
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
CTEST_FLAGS ?= --output-on-failure -j2
export QT_QPA_PLATFORM ?= offscreen

.PHONY: deps build run test test-asan bench clean

deps:
	@bash scripts/deps.sh

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)

test: build
	@cd $(BUILD) && ctest $(CTEST_FLAGS)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQELVAR_SANITIZE=ON -DQELVAR_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest $(CTEST_FLAGS)

bench: build
	@$(BUILD)/bench/qelvar_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

run: build
	@bash scripts/run.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

# The two commands a user types: `make run` and `make test`.
# Both install what is missing first, so a fresh Debian 12 machine needs nothing else.

JOBS        ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR    := build/sanitize
BENCH_DIR   := build/bench
FUZZ_DIR    := build/fuzz
# Seconds each fuzzer runs under `make fuzz`, and under `make test` (a short pass that
# replays the fixtures and the kept regressions and explores a little).
FUZZ_SECONDS ?= 600
FUZZ_SMOKE_SECONDS ?= 20
GENERATOR   := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

export XDG_RUNTIME_DIR ?= $(CURDIR)/build/xdg-runtime

.PHONY: run test bench fuzz build-fuzz deps build-release build-test clean

deps:
	@./scripts/setup-deps

$(XDG_RUNTIME_DIR):
	@mkdir -p $@ && chmod 700 $@

build-release: deps
	@cmake -S . -B $(RELEASE_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DVIEWER_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build-release | $(XDG_RUNTIME_DIR)
	$(RELEASE_DIR)/src/app/visualizador

build-test: deps
	@cmake -S . -B $(TEST_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DVIEWER_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_DIR) -j $(JOBS)

test: build-test | $(XDG_RUNTIME_DIR)
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(FUZZ_SMOKE_SECONDS)

bench: deps
	@cmake -S . -B $(BENCH_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DVIEWER_TESTS=OFF -DVIEWER_BENCH=ON >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS)
	@mkdir -p $(BENCH_DIR)/results && rm -f $(BENCH_DIR)/results/*.json
	@for b in $(BENCH_DIR)/bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then \
	    QT_QPA_PLATFORM=offscreen "$$b" --benchmark_out=$(BENCH_DIR)/results/$$(basename "$$b").json \
	        --benchmark_out_format=json || exit 1; fi; done
	@$(BENCH_DIR)/bench/road_table $(BENCH_DIR)/results/*.json

build-fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DVIEWER_TESTS=OFF -DVIEWER_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)

# Each fuzzer starts from the fixtures and the kept regressions; a finding stops it and
# leaves the input in $(FUZZ_DIR) (crash-*, timeout-*, leak-*).
fuzz: build-fuzz | $(XDG_RUNTIME_DIR)
	@./scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf build

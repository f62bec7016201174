# Entry points: every target installs what it needs first (tools/install-deps).
JOBS ?= $(shell nproc)
BUILD_RUN   := build/release
BUILD_TEST  := build/test
BUILD_BENCH := build/bench
BUILD_PACKAGE := build/package
BUILD_FUZZ  := build/fuzz
FUZZ_SECONDS ?= 60
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)

.PHONY: deps build run test screenshot format lint bench bench-soak package package-check fuzz fuzz-ci clean

deps:
	@tools/install-deps

build: deps
	cmake -S . -B $(BUILD_RUN) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD_RUN) -j $(JOBS) --target rovizez

run: build
	$(BUILD_RUN)/rovizez

test: deps
	cmake -S . -B $(BUILD_TEST) -DCMAKE_BUILD_TYPE=Debug -DROVIZEZ_SANITIZE=ON >/dev/null
	cmake --build $(BUILD_TEST) -j $(JOBS)
	cd $(BUILD_TEST) && QT_QPA_PLATFORM=offscreen ctest -j $(JOBS) --output-on-failure

screenshot: build
	@tools/screenshot $(BUILD_RUN)/rovizez build/screenshot.png

format: deps
	clang-format -i $(SOURCES)

lint: deps
	clang-format --dry-run --Werror $(SOURCES)

bench: deps
	cmake -S . -B $(BUILD_BENCH) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@tools/run-bench $(BUILD_BENCH)

bench-soak: deps
	cmake -S . -B $(BUILD_BENCH) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@tools/run-bench $(BUILD_BENCH) --soak

package: deps
	cmake -S . -B $(BUILD_PACKAGE) -DCMAKE_BUILD_TYPE=Release -DROVIZEZ_TESTS=OFF >/dev/null
	cmake --build $(BUILD_PACKAGE) -j $(JOBS) --target package

package-check: package
	@tools/check-package "$$(ls -t $(BUILD_PACKAGE)/*.deb | head -n 1)"

# Every fuzzing harness over its seed corpus, then FUZZ_SECONDS seconds each.
fuzz: deps
	cmake -S fuzz -B $(BUILD_FUZZ) -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	@tools/run-fuzz $(BUILD_FUZZ) $(FUZZ_SECONDS)

# The short run of continuous integration: the seed corpus, then 10 s each.
fuzz-ci:
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=10

clean:
	rm -rf build

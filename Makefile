# Entry points: every target installs what it needs first (tools/install-deps).
JOBS ?= $(shell nproc)
BUILD_RUN   := build/release
BUILD_TEST  := build/test
BUILD_BENCH := build/bench
BUILD_PACKAGE := build/package
BUILD_FUZZ  := build/fuzz
BUILD_LINT  := build/lint
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

# Every suite, then the suites that build the main window once more on a German desktop at twice
# the pixel density (a decimal comma, every size doubled); that pass fails when the locale is
# missing rather than falling back to English.
TEST_LOCALE := de_DE.UTF-8
test: deps
	cmake -S . -B $(BUILD_TEST) -DCMAKE_BUILD_TYPE=Debug -DROVIZEZ_SANITIZE=ON >/dev/null
	cmake --build $(BUILD_TEST) -j $(JOBS)
	cd $(BUILD_TEST) && QT_QPA_PLATFORM=offscreen ctest -j $(JOBS) --output-on-failure
	@tools/test-summary $(BUILD_TEST)
	@locale -a | grep -qix "$$(echo $(TEST_LOCALE) | sed 's/UTF-8/utf8/')" || \
		{ echo "make test: the locale $(TEST_LOCALE) is missing (tools/install-deps makes it)" >&2; exit 1; }
	cd $(BUILD_TEST) && LANG=$(TEST_LOCALE) LC_ALL=$(TEST_LOCALE) QT_SCALE_FACTOR=2 \
		QT_QPA_PLATFORM=offscreen ctest -j $(JOBS) -L window --output-on-failure
	@tools/test-summary $(BUILD_TEST)

# SCALE=2 takes it at twice the size, as on a high-density screen.
SCALE ?= 1
screenshot: build
	@SCALE=$(SCALE) tools/screenshot $(BUILD_RUN)/rovizez build/screenshot$(if $(filter-out 1,$(SCALE)),-x$(SCALE)).png

format: deps
	clang-format -i $(SOURCES)

# Formatting, every include against the table of docs/ARCHITECTURE.md, then clang-tidy over the
# product's sources with the compile commands of a Release configuration. Prints only findings.
lint: deps
	@clang-format --dry-run --Werror $(SOURCES)
	@tools/check-includes
	@cmake -S . -B $(BUILD_LINT) -DCMAKE_BUILD_TYPE=Release -DROVIZEZ_TESTS=OFF >/dev/null
	@tools/tidy $(BUILD_LINT) $(JOBS)

bench: deps
	cmake -S . -B $(BUILD_BENCH) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD_BENCH) -j $(JOBS) --target benchmarks
	@tools/run-bench $(BUILD_BENCH)

bench-soak: deps
	cmake -S . -B $(BUILD_BENCH) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD_BENCH) -j $(JOBS) --target bench_soak bench_reconnect
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

# The two commands of the quick start, and the rest of the project's chores.
#   make run    installs what is missing, builds, starts the program
#   make test   installs what is missing, builds, runs every test headless
#   make package  builds the Debian package, build/roots-drill_<version>_<arch>.deb

BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all setup build run test test-sanitize soak fuzz bench audit install package clean

all: build

setup:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	  echo "No display to open the window on (DISPLAY is not set)."; \
	  echo "Without a screen, try: xvfb-run -a $(BUILD)/app/roots-drill"; exit 1; fi
	$(BUILD)/app/roots-drill

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer: any report fails.
test-sanitize: setup
	cmake -S . -B $(SANITIZE_BUILD) -DROOTS_DRILL_SANITIZE=ON -DROOTS_DRILL_BENCHMARKS=OFF $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# The monkey on many more seeds than make test gives it (SEEDS=200 by default, about a second each).
SEEDS ?= 200
soak: build
	cd $(BUILD) && MONKEY_SEEDS=$(SEEDS) ctest -R Monkey --output-on-failure

# The libFuzzer target over what reads the answer boxes, built with clang, for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz:
	@tools/install-deps.sh clang libclang-rt-14-dev
	tools/fuzz.sh $(FUZZ_SECONDS)

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# The .deb a teacher installs with `sudo apt install ./build/roots-drill_*.deb`.
package: build
	cd $(BUILD) && cpack

bench: build
	$(BUILD)/bench/drill_bench

# Runs the program through a scripted session under strace: what it writes and whom it calls.
audit: build
	tools/audit-syscalls.sh $(BUILD)/app/roots-drill

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)

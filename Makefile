# The two commands of the quick start, and the rest of the project's chores.
#   make run    installs what is missing, builds, starts the program
#   make test   installs what is missing, builds, runs every test headless

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all setup build run test bench install clean

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

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

bench: build
	$(BUILD)/bench/drill_bench

clean:
	rm -rf $(BUILD)

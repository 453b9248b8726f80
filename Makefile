# The two commands of the quick start, and the rest of the project's chores.
#   make run    installs what is missing, builds, starts the program
#   make test   installs what is missing, builds, runs every test headless

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all setup build run test bench clean

all: build

setup:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@echo "The window is not built yet: only the drill engine and its tests exist so far."

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/drill_bench

clean:
	rm -rf $(BUILD)

# The two commands of the quick start, and the rest of the project's chores.
#   make run    installs what is missing, builds, starts the program
#   make test   installs what is missing, builds, runs every test headless
#   make package  builds the Debian package, build/roots-drill_<version>_<arch>.deb
#   make windows       cross-builds the Windows program with MinGW-w64, for 64-bit Windows in
#                      build-windows and for 32-bit Windows in build-windows-x86: one stripped
#                      roots-drill.exe and its installer package in each, and the tests
#   make test-windows  the same, then the Windows tests of both under Wine, through CTest, the
#                      installer packages' among them; with no DISPLAY, one Xvfb serves each
#                      build's run (tools/wine-run.sh)
#   make msi           the same builds, and their Windows Installer packages side by side:
#                      build-msi/roots-drill-<version>-x64.msi and -x86.msi
#   make web           builds the browser page with Debian's Emscripten in build-web, and the
#                      engine and form tests as programs for node
#   make test-web      the same, then the browser build's tests, through CTest
#   make bench-web     the page beside itself without its scripts in headless Chromium, at full
#                      speed and with the CPU slowed 6x (RUNS=25)

BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
WINDOWS_BUILD ?= build-windows
WEB_BUILD ?= build-web
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all setup build run test test-sanitize soak fuzz bench audit install package \
        windows-setup windows test-windows msi bench-windows audit-windows web-setup web test-web \
        bench-web clean

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

# The Windows builds, cross-compiled on Linux: the 64-bit program in $(WINDOWS_BUILD), the 32-bit
# one in $(WINDOWS_X86_BUILD), each with the same tests. Only the Windows targets need MinGW-w64,
# Wine (its 32-bit half, wine32, comes from Debian's i386 architecture, which the set-up adds) and
# GoogleTest's sources. The tests run under Wine in a prefix of each build's own, <build>/wineprefix.
WINDOWS_X86_BUILD ?= build-windows-x86
MSI_BUILD ?= build-msi
WINDOWS_PACKAGES = g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 wine32:i386 \
                   googletest wixl msitools

$(WINDOWS_BUILD)/CMakeCache.txt:
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake $(CMAKE_FLAGS)

$(WINDOWS_X86_BUILD)/CMakeCache.txt:
	cmake -S . -B $(WINDOWS_X86_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake $(CMAKE_FLAGS)

windows-setup:
	@tools/install-deps.sh $(WINDOWS_PACKAGES)

windows: windows-setup $(WINDOWS_BUILD)/CMakeCache.txt $(WINDOWS_X86_BUILD)/CMakeCache.txt
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cmake --build $(WINDOWS_X86_BUILD) -j $(JOBS)

test-windows: windows
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(WINDOWS_X86_BUILD) && ctest --output-on-failure -j $(JOBS)

# The Windows Installer packages every Windows build makes (cmake/msi.cmake), side by side:
# $(MSI_BUILD)/roots-drill-<version>-x64.msi and -x86.msi.
msi: windows
	cmake --install $(WINDOWS_BUILD) --component msi --prefix $(CURDIR)/$(MSI_BUILD)
	cmake --install $(WINDOWS_X86_BUILD) --component msi --prefix $(CURDIR)/$(MSI_BUILD)

# Start-up and peak working set of roots-drill.exe beside an empty Win32 window, under Wine
# (RUNS=20 each by default), the size of the .exe, and a pasted megabyte in an answer box: the
# 64-bit program, then the 32-bit one beside a 32-bit window. Not while test-windows runs: both
# use the builds' Wine prefixes.
RUNS ?= 20
bench-windows: windows
	for build in $(WINDOWS_BUILD) $(WINDOWS_X86_BUILD); do \
	  bench/windows/startup.sh $$build $(RUNS) && \
	  tools/wine-run.sh --prefix $(CURDIR)/$$build/wineprefix \
	    $$build/bench/windows/paste_probe.exe --trials 5 || exit 1; \
	done

# roots-drill.exe under Wine through a scripted session: files and registry keys it writes (none
# expected; two controls show the audit sees writes and ignores Wine's own), and its DLL imports;
# the 64-bit program, then the 32-bit one.
audit-windows: windows
	@tools/install-deps.sh strace
	tools/audit-windows.sh --build $(WINDOWS_BUILD)
	tools/audit-windows.sh --build $(WINDOWS_X86_BUILD)

# The browser build, with Debian's Emscripten; only these two need it. The page's tests drive it
# in Chromium (with its driver and Selenium), Firefox ESR (over WebDriver BiDi) and WebKit
# (WebKitWebDriver), and in Qt 5 WebEngine for an old Chromium; the font tools and fonts make
# the page's fonts. wabt and acorn check the page against the oldest browsers it is for.
# Emscripten's optimising link runs Node modules Debian keeps in /usr/share/nodejs.
WEB_PACKAGES = emscripten googletest chromium chromium-driver python3-selenium python3-fonttools \
               python3-brotli fonts-liberation2 fonts-roboto-unhinted firefox-esr \
               webkit2gtk-driver python3-pyqt5.qtwebengine wabt node-acorn
WEB_ENV = NODE_PATH=/usr/share/nodejs

$(WEB_BUILD)/CMakeCache.txt:
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD) $(CMAKE_FLAGS)

web-setup:
	@tools/install-deps.sh $(WEB_PACKAGES)

web: web-setup $(WEB_BUILD)/CMakeCache.txt
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

test-web: web
	cd $(WEB_BUILD) && $(WEB_ENV) ctest --output-on-failure -j $(JOBS)

# First paint, ready for Start and key to pixel of the page beside its floor (the same page
# without its scripts), at full speed and with the CPU slowed 6x, and the page's size: RUNS loads
# of each (25 unless RUNS is given); KEYS, CPU=1,6, HTTP=1, COLD=N and FRAMES=free as
# bench/web/web_bench.py describes.
bench-web: web
	/usr/bin/python3 bench/web/web_bench.py --build $(WEB_BUILD) \
	  $(if $(filter command line environment,$(origin RUNS)),--runs $(RUNS))

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(WINDOWS_BUILD) $(WINDOWS_X86_BUILD) $(MSI_BUILD) $(WEB_BUILD)

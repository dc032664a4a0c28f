# The two everyday commands: `make run` starts Velmora on the simulated Mac, `make test` runs every
# test. Both install what is missing first, then configure and build.
#
# Reliability (docs/reliability.md): `make test-asan` runs every test built with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan); `make fuzz` builds the libFuzzer targets with Clang
# (build-fuzz) and `make fuzz-run FUZZ_SECONDS=600` runs each of them for that long.

PRESET ?= default
BUILD_DIR := build

.PHONY: all deps configure build run test bench test-asan fuzz fuzz-run clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then cmake --preset $(PRESET); fi

build: configure
	cmake --build --preset $(PRESET)

# Without a display (a server, a container) the window opens on a virtual one under Xvfb.
run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
		$(BUILD_DIR)/bin/velmora $(ARGS); \
	else \
		echo "No display found: starting Velmora on a virtual display (xvfb-run)."; \
		xvfb-run -a -s "-screen 0 1440x900x24" $(BUILD_DIR)/bin/velmora $(ARGS); \
	fi

test: build
	ctest --preset $(PRESET)

# Every measurement of bench/, gathered into one table with its goals (docs/performance.md).
bench: build
	scripts/bench $(BUILD_DIR)/bin

test-asan: deps
	@if [ ! -f build-asan/build.ninja ]; then cmake --preset asan; fi
	cmake --build --preset asan
	ctest --preset asan

FUZZ_SECONDS ?= 60

fuzz:
	@scripts/install-deps fuzz
	@if [ ! -f build-fuzz/build.ninja ]; then cmake --preset fuzz; fi
	cmake --build --preset fuzz

fuzz-run: fuzz
	scripts/fuzz-run $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR)

# The two everyday commands: `make run` starts Velmora on the simulated Mac, `make test` runs every
# test. Both install what is missing first, then configure and build.

PRESET ?= default
BUILD_DIR := build

.PHONY: all deps configure build run test clean

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

clean:
	rm -rf $(BUILD_DIR)

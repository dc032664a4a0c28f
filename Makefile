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

run: build
	$(BUILD_DIR)/bin/velmoractl catalogue

test: build
	ctest --preset $(PRESET)

clean:
	rm -rf $(BUILD_DIR)

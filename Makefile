# Entry points: `make panel` (build the modules and show the panel) and
# `make test` (build all three ways and run every test). Both install what is
# missing first.
BUILD      ?= build
BUILD_I686 ?= build-i686
BUILD_W64  ?= build-win64
BUILD_REL  ?= build-release
JOBS       ?= $(shell nproc)
ART_DIR    := $(abspath $(BUILD))/modules

.PHONY: all setup native win32 win64 dist test panel gallery bench clean

all: dist

setup:
	@scripts/setup.sh

native: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD) -j $(JOBS)

win32: native
	cmake -S . -B $(BUILD_I686) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	      -DCMAKE_BUILD_TYPE=Release -DART_DIR=$(ART_DIR)
	cmake --build $(BUILD_I686) -j $(JOBS)

win64: native
	cmake -S . -B $(BUILD_W64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	      -DCMAKE_BUILD_TYPE=Release -DART_DIR=$(ART_DIR)
	cmake --build $(BUILD_W64) -j $(JOBS)

dist: win32
	mkdir -p dist
	cp $(BUILD_I686)/modules/*.gau dist/

test: dist win64
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

panel: native
	scripts/show-panel.sh $(BUILD)

# Every gauge of both modules rendered in flight, side by side: out/gallery.png.
gallery: native
	scripts/gallery.sh $(BUILD)

# Speed checks: an optimised build without sanitizers, then the benchmarks.
bench: setup
	cmake -S . -B $(BUILD_REL) -DCMAKE_BUILD_TYPE=Release -DSANITIZE=OFF
	cmake --build $(BUILD_REL) -j $(JOBS) --target render_bench
	$(BUILD_REL)/bin/render_bench

clean:
	rm -rf $(BUILD) $(BUILD_I686) $(BUILD_W64) $(BUILD_REL) dist out

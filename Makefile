# tovel editor: `make run` starts the editor, `make test` runs every test. Both install what is missing.
.PHONY: all setup build host win32 run test bench fuzz dist clean

HOST_DIR  := build/host
WIN32_DIR := build/win32

all: build

setup:
	@scripts/setup.sh

$(HOST_DIR)/build.ninja:
	cmake -S . -B $(HOST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug

$(WIN32_DIR)/build.ninja:
	cmake -S . -B $(WIN32_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-toolchain.cmake

host: setup $(HOST_DIR)/build.ninja
	cmake --build $(HOST_DIR)

win32: setup $(WIN32_DIR)/build.ninja
	cmake --build $(WIN32_DIR)
	@bash -c '. scripts/dist.sh && stage_release_files $(WIN32_DIR)'   # readme, history, template beside the exe

build: host win32

run: win32
	scripts/run.sh

test: host win32
	scripts/test.sh

bench: host win32
	scripts/bench.sh

# FUZZ_SECONDS per target (default 60).
fuzz: setup
	scripts/fuzz.sh $(FUZZ_SECONDS)

dist: win32
	scripts/dist.sh

clean:
	rm -rf build dist

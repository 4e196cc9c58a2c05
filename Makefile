# Thin wrapper around CMake and Ninja: `make play` starts the game, `make test` runs every test.
BUILD_DIR ?= build
GENERATOR ?= Ninja

.PHONY: play test build clean

play:
	cmake -S . -B $(BUILD_DIR)/release -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DNEBULANCE_TESTS=OFF
	cmake --build $(BUILD_DIR)/release --target nebulance
	$(BUILD_DIR)/release/nebulance

build:
	cmake -S . -B $(BUILD_DIR)/debug -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD_DIR)/debug

test: build
	ctest --test-dir $(BUILD_DIR)/debug --output-on-failure

clean:
	rm -rf $(BUILD_DIR)

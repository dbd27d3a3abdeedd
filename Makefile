# Entry points for people and CI. Both targets first install what is missing.
BUILD      ?= build
JOBS       ?= $(shell nproc)
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

.PHONY: all deps build test sanitize fuzz bench clean run screenshots

all: build

deps:
	@sh scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -G "$(GENERATOR)"

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Robustness tests under AddressSanitizer and UBSan, in a build of their own.
sanitize: deps
	cmake -S . -B build-asan -G "$(GENERATOR)" -DECR_SANITIZE=ON -DECR_BUILD_GUI=OFF -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

# libFuzzer targets, built with clang into build-fuzz/bin.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G "$(GENERATOR)" -DECR_FUZZ=ON -DECR_BUILD_GUI=OFF -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-fuzz -j $(JOBS)

bench: build
	cmake --build $(BUILD) --target benchmarks

# Makes the demo folder demo/ when absent and starts EcrTillora in it (with
# the register simulator when it is built). Without a display: xvfb-run -a make run
run: build
	sh scripts/run-demo.sh

# A PNG of every screen, drawn offscreen, in $(BUILD)/screenshots.
screenshots: build
	rm -rf $(BUILD)/screenshot-demo
	BIN=$(CURDIR)/$(BUILD)/bin sh scripts/make-demo.sh $(CURDIR)/$(BUILD)/screenshot-demo
	cd $(BUILD)/screenshot-demo && QT_QPA_PLATFORM=offscreen $(CURDIR)/$(BUILD)/bin/ecrscreenshots $(CURDIR)/$(BUILD)/screenshots

clean:
	rm -rf $(BUILD) build-asan build-fuzz

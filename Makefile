# `make run` opens the program, `make test` runs every test (the everyday
# command), `make check-all` runs what CI adds: the test suite with address
# and undefined-behaviour sanitizers, the engine and stress tests with the
# thread sanitizer, every fuzz target for a minute, and the Debian package
# installed, run and removed (scripts/check-all.sh).
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test package check-all format clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package, in $(BUILD)/package: velquor_VERSION_ARCH.deb.
package: build
	@cd $(BUILD) && cpack -G DEB > /dev/null && ls package/velquor_*.deb

# Builds in build-asan, build-tsan and build-fuzz beside $(BUILD).
check-all: deps
	@JOBS=$(JOBS) bash scripts/check-all.sh

# Formats every C++ file with the project's .clang-format.
format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan build-tsan build-fuzz

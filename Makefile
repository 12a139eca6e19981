# The two commands of the README: `make run` and `make test`.
.PHONY: all deps configure build run test asan-test bench fuzz package clean

# CI builds with PRESET=ci (warnings are errors).
PRESET ?= default

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

# Opens the main program on the bundled sample once there is one; until then it builds
# everything and says what it built.
run: build
	@scripts/run-main-program

test: build
	@ctest --preset $(PRESET)

asan-test: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

bench: build
	@for b in build/bench/*_bench; do [ -x "$$b" ] && "$$b"; done; true

# Every fuzz target for a short while (FUZZ_SECONDS each, default 15); scripts/fuzz does more.
fuzz: deps
	@scripts/fuzz run $(or $(FUZZ_SECONDS),15)

# The Debian package of the suite, in build/ (cmake/Install.cmake says what goes in).
package: build
	@cd build && cpack -G DEB
	@ls build/*.deb

clean:
	rm -rf build build-asan

# The two commands of the README. Each does all of its own set-up on a fresh Debian machine.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := cmake make g++ pkg-config libsdl2-dev libgtest-dev libbenchmark-dev cc65 libpng-dev clang-format retroarch-dev
ROM ?=
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 20
FUZZ_PACKAGES := clang libclang-rt-14-dev

.PHONY: all deps configure build build-program test run fuzz fuzz-smoke clean

all: build

# Installs whatever of the packages is missing: apt-get as root, else through sudo.
deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" = 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The desktop program alone: what `make run` needs, without the tests and benchmarks.
build-program: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target halvoren

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

run: build-program
	$(BUILD_DIR)/halvoren $(if $(ROM),"$(ROM)")

# The libFuzzer targets of fuzz/, in their own build folder.
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(FUZZ_PACKAGES)"
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DHALVOREN_FUZZ=ON \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_DIR) -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS over its seeds; fails on any finding.
fuzz-smoke: fuzz
	fuzz/smoke.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)

# Everything from a fresh Debian 12 machine: `make run` converts the bundled sample,
# `make test` runs the tests. Both install what is missing first (as root).

BUILD        ?= build
SAN_BUILD    ?= build-sanitize
GENERATOR    ?= Ninja
JOBS         ?= 2
SAMPLE       ?= samples/sample.txt
OUT          ?= out

PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev libfreetype-dev libfontconfig-dev \
            fontconfig fonts-dejavu-core libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev \
            clang libclang-rt-14-dev xvfb xauth

.PHONY: all deps build run test test-sanitize bench clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(SAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(SAN_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DZELM_SANITIZE=ON -DZELM_BUILD_BENCH=OFF

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	mkdir -p $(OUT)
	$(BUILD)/bin/scrivane --batch $(SAMPLE) --output $(OUT)/
	$(BUILD)/bin/scrivane-preview $(OUT)/T0000.bmp

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bin/bench_render

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(OUT)

# Everything from a fresh Debian 12 machine: `make run` converts the bundled sample,
# `make test` runs the tests. Both install what is missing first (as root).

BUILD        ?= build
SAN_BUILD    ?= build-sanitize
TSAN_BUILD   ?= build-tsan
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
GENERATOR    ?= Ninja
JOBS         ?= 2
SAMPLE       ?= samples/sample.txt
OUT          ?= out

PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev libfreetype-dev libfontconfig-dev \
            fontconfig fonts-dejavu-core libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev \
            clang libclang-rt-14-dev xvfb xauth \
            libncurses-dev libjpeg-dev libx11-dev libxrandr-dev libasound2-dev libcanberra-dev sound-theme-freedesktop

# libFuzzer targets fuzz/<name>_fuzz.cpp, linked straight against the sources they need.
FUZZ_TARGETS := time extractword formatmessage processlist stringtree
FUZZ_SOURCES := platform/base/utf8.cpp platform/base/errors.cpp platform/kernel/resources.cpp \
                framework/resources/ResourceChain.cpp framework/strings/CString.cpp \
                zelmtools/util/TimePicture.cpp zelmtools/util/TimeStr.cpp zelmtools/util/ExtractWord.cpp \
                platform/kernel/local_memory.cpp platform/errors/format_message.cpp platform/errors/insert_format.cpp \
                platform/errors/message_output.cpp platform/errors/message_template.cpp \
                platform/kernel/message_tables.cpp platform/errors/system_messages.cpp \
                platform/kernel/module_files.cpp platform/kernel/proc_text.cpp zelmtools/process/ProcessList.cpp \
                framework/core/CObject.cpp \
                zelmtools/dialogs/StringTreeFile.cpp zelmtools/dialogs/StringTreeAbs.cpp framework/files/CFile.cpp \
                framework/files/CStdioFile.cpp framework/files/CFileException.cpp framework/ui/MessageBox.cpp \
                platform/kernel/files.cpp platform/kernel/open_file.cpp platform/kernel/kernel_objects.cpp \
                platform/kernel/directories.cpp
FUZZ_FLAGS   := -std=c++20 -g -O1 -I. -Iinclude -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
                -fno-omit-frame-pointer

.PHONY: all deps build run test test-sanitize test-tsan bench fuzz clean

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

$(TSAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(TSAN_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELM_TSAN=ON -DZELM_BUILD_BENCH=OFF

# The concurrency tests under ThreadSanitizer: builds only the disk monitor's suite.
test-tsan: deps $(TSAN_BUILD)/build.ninja
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target test_diskmon
	QT_QPA_PLATFORM=offscreen TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  $(TSAN_BUILD)/bin/test_diskmon --gtest_filter='DiskStorageMonitorThreads.*'

bench: build
	$(BUILD)/bin/bench_render

# Builds every fuzz target with clang, then runs each for FUZZ_SECONDS from its seeds.
fuzz: deps
	mkdir -p $(FUZZ_BUILD)
	for t in $(FUZZ_TARGETS); do \
	  clang++ $(FUZZ_FLAGS) fuzz/$${t}_fuzz.cpp $(FUZZ_SOURCES) -o $(FUZZ_BUILD)/$${t}_fuzz || exit 1; \
	done
	for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus-$$t; \
	  $(FUZZ_BUILD)/$${t}_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    $(FUZZ_BUILD)/corpus-$$t fuzz/seeds/$$t || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(OUT)

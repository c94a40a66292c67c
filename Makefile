# Rovana: two commands do everything.
#   make run   install what is missing, build, stage build/demo/ and start Rovana there
#   make test  install what is missing, build with sanitizers, run every test and fuzzer
BUILD      := build
TEST_BUILD := build/test
FUZZ_BUILD := build/fuzz
JOBS       ?= $(shell nproc)
FUZZ_RUNS  ?= 20000
# Let ccache reuse objects across checkouts at other paths.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
# Objects compiled with the precompiled headers can be cached too.
export CCACHE_SLOPPINESS := pch_defines,time_macros,include_file_mtime,include_file_ctime

.PHONY: all deps build run test unit-tests fuzz bench screenshots format clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROVANA_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)
	scripts/stage-demo.sh $(BUILD)

run: build
	scripts/run-demo.sh $(BUILD)

test: unit-tests fuzz

unit-tests: deps
	@[ -f $(TEST_BUILD)/build.ninja ] || cmake -S . -B $(TEST_BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O1" -DROVANA_SANITIZE=ON \
	    -DROVANA_BENCH=OFF
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

fuzz: deps
	@[ -f $(FUZZ_BUILD)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=Debug -DROVANA_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	fuzz/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_RUNS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; done

# The pictures of the screens in docs/, rendered offscreen from the demo directory; the
# README shows the ten screens and two overlays of the rest.
screenshots: build
	$(BUILD)/tools/rovana-screenshots $(BUILD)/demo $(BUILD)/screenshots
	mkdir -p docs/screenshots
	cp $(BUILD)/screenshots/screen-*.png $(BUILD)/screenshots/now-playing-options.png $(BUILD)/screenshots/film-options.png \
	    $(BUILD)/screenshots/options-can.png $(BUILD)/screenshots/map-day.png $(BUILD)/screenshots/map-night.png \
	    $(BUILD)/screenshots/night-screen-0.png $(BUILD)/screenshots/night-screen-2.png \
	    $(BUILD)/screenshots/night-screen-6.png $(BUILD)/screenshots/night-map.png docs/screenshots/

format:
	find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)

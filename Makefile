# Thin convenience layer over CMake: `make run` and `make test` do all set-up on Debian 12.
BUILD ?= build
JOBS  ?= $(shell nproc)
ARGS  ?= examples/harbour/harbour.wsr

.PHONY: all deps test-deps configure build run test bench clean

all: build

deps:
	@bash scripts/install-deps.sh build

test-deps:
	@bash scripts/install-deps.sh test

configure:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: deps build
	@bash scripts/run.sh $(BUILD)/pathwright $(ARGS)

test: test-deps build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

clean:
	@rm -rf $(BUILD)

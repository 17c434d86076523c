# Thin convenience layer over CMake: `make run` and `make test` do all set-up on Debian 12.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS  ?= $(shell nproc)
ARGS  ?= examples/harbour/harbour.wsr

# `make run` needs a display; without one it says so before installing or building anything.
HAVE_DISPLAY := $(or $(DISPLAY),$(WAYLAND_DISPLAY),$(QT_QPA_PLATFORM))
NO_DISPLAY := pathwright: no display found; run it on a desktop, or under xvfb-run: xvfb-run make run

# Sanitizer runs: any finding fails the test that made it; leaks are looked for at every exit.
SANITIZE_ENV := ASAN_OPTIONS=detect_leaks=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: all deps test-deps configure build program run test test-sanitize bench install translations clean

all: build

deps:
	@bash scripts/install-deps.sh build

test-deps:
	@bash scripts/install-deps.sh test

configure:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The program alone, without the tests and benchmarks.
program: deps configure
	@cmake --build $(BUILD) -j $(JOBS) --target pathwright

run:
	$(if $(HAVE_DISPLAY),,$(error $(NO_DISPLAY)))
	@$(MAKE) --no-print-directory program
	@bash scripts/run.sh $(BUILD)/pathwright $(ARGS)

test: test-deps build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer, in its own folder.
test-sanitize: test-deps
	@cmake -S . -B $(SANITIZE_BUILD) -DPATHWRIGHT_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

# PREFIX=/usr/local by default; DESTDIR for a staging tree.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# Refreshes translations/*.ts from the texts in the sources (then translate what is new).
translations: deps
	@bash scripts/update-translations.sh

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD)

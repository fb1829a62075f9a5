# Wertalo: the two set-up commands are `make demo` and `make test`.
BUILD_DIR ?= build
WERROR ?= OFF
JOBS ?= 2

.PHONY: deps build test demo deb bench fuzz fuzz-ci clean

deps:
	scripts/install-deps

build:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DWERTALO_WERROR=$(WERROR)
	cmake --build $(BUILD_DIR) -j$(JOBS)

# Installs what is missing, builds, starts the Firebird test server and runs every test.
test: deps build
	@fb_env=$$(scripts/firebird-test-server) || { echo "Serwer Firebird niedostępny: testy serwera zostaną pominięte" >&2; fb_env=; }; \
	eval "$$fb_env"; \
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

demo: deps build
	scripts/demo $(BUILD_DIR)

# The Debian package (build/packages/wertalo_VERSION_ARCH.deb), for `apt install ./...deb`.
deb: deps build
	cd $(BUILD_DIR) && cpack -G DEB -B packages

# Benchmarks: Google Benchmark on the main job, and a timed command-line run.
bench: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DWERTALO_BENCH=ON
	cmake --build $(BUILD_DIR) -j$(JOBS)
	$(BUILD_DIR)/bench/bench_export
	$(BUILD_DIR)/bench/bench_mapping
	bench/demo-units.sh $(BUILD_DIR)

# Fuzzing: the libFuzzer targets (clang, build-fuzz/) each run FUZZ_SECONDS on their corpus.
FUZZ_SECONDS ?= 600
fuzz: deps
	scripts/fuzz --seconds $(FUZZ_SECONDS)

# The same, bounded for CI (about 20 s per target).
fuzz-ci: deps
	scripts/fuzz --seconds 20

clean:
	rm -rf $(BUILD_DIR) build-fuzz

# Entry points for people and CI. Every target installs what it needs first.
.PHONY: run test deps release dev bench fuzz format check-format ci-clang package sample clean

FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

deps:
	./scripts/install-deps

release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

dev: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

# Builds the release and shows the shipped sample file.
run: release
	./scripts/run-sample build/release

# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
test: dev
	ctest --preset dev

bench: deps
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	./build/bench/bench/vantorel_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/bench/bench/vantorel_script_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/bench/bench/vantorel_gui_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/bench/bench/vantorel_view_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	xvfb-run -a -s "-screen 0 1280x1024x24" ./build/bench/bench/vantorel_gl_frame_bench \
	  --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
	./build/bench/bench/vantorel_ops_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/bench/bench/vantorel_model_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

# Runs each fuzz target for FUZZ_SECONDS on a seed corpus made by the generator.
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	./scripts/run-fuzzers build/fuzz $(FUZZ_SECONDS)

format:
	clang-format -i $$(git ls-files '*.h' '*.cpp')

# Fails when a source file is not formatted as .clang-format says.
check-format: deps
	clang-format --dry-run --Werror $$(git ls-files '*.h' '*.cpp')

# The release as CI builds it: clang, warnings as errors, the window and the benchmarks.
ci-clang: deps
	cmake --preset ci-clang
	cmake --build --preset ci-clang -j $(JOBS)

# Builds the Debian package from a release build (PACKAGE_PRESET names which one) into
# build/$(PACKAGE_PRESET)/vantorel_VERSION_ARCH.deb.
PACKAGE_PRESET ?= release
package: deps
	cmake --preset $(PACKAGE_PRESET)
	cmake --build --preset $(PACKAGE_PRESET) -j $(JOBS)
	cd build/$(PACKAGE_PRESET) && cpack -G DEB

# Regenerates resources/sample.col from the generator.
sample: dev
	./build/dev/tools/colgen/vantorel-colgen sample resources/sample.col

clean:
	rm -rf build

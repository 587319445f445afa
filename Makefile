# The two commands a person needs: `make run` and `make test`. Both install what is missing.
.PHONY: deps build-native build-win32 build-win64 build build-asan check test test-win32 run dist \
        bench fuzz clean

# As many compile jobs as the machine has cores.
JOBS ?= $(shell nproc)

# How 32-bit Wine starts (tools/install-deps.sh): auto, qemu (always through user-mode QEMU,
# as a kernel without 32-bit support has it) or kernel (the way back).
WINE32 ?= auto
deps:
	@WINE32=$(WINE32) bash tools/install-deps.sh

build-native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native --parallel $(JOBS)

build-win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 --parallel $(JOBS)

build-win64: deps
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 --parallel $(JOBS)

build: build-native build-win32 build-win64

# The native unit tests and stem again, under AddressSanitizer and UBSan.
build-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan --parallel $(JOBS)

# Each preset's tests run as many at once as the machine has cores; a failing one prints its
# output.
CTEST = ctest --parallel $(JOBS) --output-on-failure --preset

# A developer's quick loop: the native build and its tests, in seconds.
check: build-native
	$(CTEST) native

# The layout of the sources; native unit tests; the same unit tests, stem.exe and the
# end-to-end host through the real DLLs, built for 32-bit and for 64-bit Windows and run under
# Wine; the shape of the DLLs; the native tests once more under the sanitizers, with the check
# of functions nothing reaches; then the release archive as a user gets it. Every build treats
# warnings as errors.
test: build build-asan dist
	@bash tools/format-check.sh
	$(CTEST) native
	$(CTEST) win32
	$(CTEST) win64
	$(CTEST) asan
	python3 tests/dist_check.py

# The 32-bit Windows tests alone; CI runs them again with WINE32=qemu.
test-win32: build-win32
	$(CTEST) win32

run: build dist
	@bash tools/demo.sh

# What a user downloads: dist/Stemra-Stemko-<version>.zip (the version is in the file VERSION).
dist: build
	@python3 tools/make_dist.py

# Every benchmark: a press against a stat of the settings file and the formatter against
# strftime, each measured against the other in one run (repetitions interleaved, medians
# shown, as the machine's speed drifts); settings loads up to 100,000 patterns and 50 MB once,
# and a press and stem check on up to 200,000 keys in one section.
# (The key-by-key load of 10,000 patterns, minutes long, is left out.)
COMPARED = PressBench FormatterBench
BENCHMARKS = SettingsBench LargeInputBench
bench: build-native
	@for b in $(COMPARED); do echo "== $$b"; build/native/$$b --benchmark_repetitions=5 \
	  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true || exit 1; done
	@for b in $(BENCHMARKS); do echo "== $$b"; build/native/$$b || exit 1; done
	@echo "== IniBench"; build/native/IniBench --benchmark_filter=-LoadKeyByKey/10000

# libFuzzer on the core (clang): each target for FUZZ_SECONDS seconds on a scratch copy of its
# seeds; an input that fails is kept under build/fuzz/findings.
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz --parallel $(JOBS)
	@bash fuzz/run.sh $(FUZZ_SECONDS)

clean:
	rm -rf build

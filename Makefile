# The two commands a person needs: `make run` and `make test`. Both install what is missing.
.PHONY: deps build-native build-win32 build-win64 build test run clean

deps:
	@bash tools/install-deps.sh

build-native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

build-win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

build-win64: deps
	cmake --preset win64 >/dev/null
	cmake --build --preset win64

build: build-native build-win32 build-win64

# Native unit tests; the shape of the real 32-bit DLLs; the same unit tests and the
# end-to-end host built for 64-bit Windows and run under Wine.
test: build
	ctest --preset native
	ctest --preset win32
	ctest --preset win64

run: build-native build-win32
	@bash tools/demo.sh

clean:
	rm -rf build

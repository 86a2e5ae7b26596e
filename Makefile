# Thin front end over CMake. `make demo` and `make test` are the two commands
# of the project; the other targets build variants of the same tree.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=
OUT ?= $(BUILD)/gallery
FUZZ_MODE ?= exports
FUZZ_GROUP ?= all
FUZZ_SECONDS ?= 600
FUZZ_M32 ?=
FUZZ_BUILD = $(if $(FUZZ_M32),build-fuzz-m32,build-fuzz)
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all build demo test test-sanitize test-m32 install check-tools check-m32 clean \
        bench bench-smoke check-bench check-fuzz fuzz-build fuzz fuzz-ci \
        windows-setup windows test-windows dist-windows check-format format \
        web-setup web test-web serve-web

all: build

# On a machine with AVX2 the tests expect the CPU they run on, native or
# emulated, to offer it too, so that the AVX2 rows are always tested there.
export LUMORIA_EXPECT_AVX2 ?= $(shell grep -qsw avx2 /proc/cpuinfo && echo 1)

check-tools:
	@command -v cmake >/dev/null || { echo "cmake is missing: apt-get install cmake"; exit 1; }
	@command -v g++ >/dev/null || { echo "g++ is missing: apt-get install g++"; exit 1; }
	@test -f /usr/src/googletest/CMakeLists.txt || { echo "GoogleTest sources are missing: apt-get install googletest"; exit 1; }

build: check-tools
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

demo: build
	@test -x $(BUILD)/tools/lumoria-tool || { echo "lumoria-tool was not built: apt-get install libpng-dev"; exit 1; }
	$(BUILD)/tools/lumoria-tool demo $(OUT)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The benchmark table (a few minutes); BENCH_ARGS takes Google Benchmark
# flags, e.g. BENCH_ARGS='--benchmark_filter=blt/1920'.
BENCH_ARGS ?= --benchmark_min_time=0.2
BENCH = $(BUILD)/bench/lumoria-bench

check-bench: build
	@test -x $(BENCH) || { echo "Google Benchmark is missing: apt-get install libbenchmark-dev"; exit 1; }

bench: check-bench
	$(BENCH) $(BENCH_ARGS)

# Every case once, judging no timing: the benchmark still builds and runs.
bench-smoke: check-bench
	$(BENCH) --smoke >/dev/null

test-sanitize:
	$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DLUMORIA_SANITIZE=ON"

# The C and C++ sources as .clang-format lays them out.
FORMAT_SOURCES = $(shell git ls-files '*.cc' '*.h' '*.c')
check-format:
	@clang-format --dry-run --Werror $(FORMAT_SOURCES)
format:
	clang-format -i $(FORMAT_SOURCES)

# Installs the 32-bit toolchain where it is missing, and qemu-user where the
# kernel runs no 32-bit programs.
check-m32:
	@tools/setup-32bit.sh

# The 32-bit tests run every vector set the CPU offers; where they run under
# qemu-user, that is the emulator's own CPU, AVX2 included. The last line
# shows which sets ran.
test-m32: check-m32
	$(MAKE) test BUILD=build-m32 CMAKE_FLAGS="-DLUMORIA_M32=ON"
	@build-m32/tests/internal_tests --gtest_filter='VectorSets.*' | grep 'vector sets'

check-fuzz:
	@fuzz/run.sh toolchain-present || \
	  { echo "no libFuzzer: apt-get install clang libclang-rt-dev"; exit 1; }

# The harness and the libraries built with clang, libFuzzer and the
# sanitizers; FUZZ_M32=1 builds them for 32-bit x86.
fuzz-build: check-fuzz
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DLUMORIA_FUZZ=ON -DLUMORIA_TESTS=OFF \
	  $(if $(FUZZ_M32),-DLUMORIA_M32=ON) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS) --target lumoria_fuzz

# FUZZ_MODE exports or twins, FUZZ_GROUP transfers, maps, filters, effects,
# shapes, read-back, quorvex or all.
fuzz: fuzz-build
	FUZZ_BUILD=$(FUZZ_BUILD) fuzz/run.sh $(FUZZ_MODE) $(FUZZ_GROUP) $(FUZZ_SECONDS)

# About two minutes over every group, from the committed corpus; then the
# twins of every group on the 32-bit build, AVX2 rows included.
fuzz-ci:
	fuzz/run.sh toolchain
	$(MAKE) fuzz-build
	fuzz/run.sh ci
	$(MAKE) fuzz-build FUZZ_M32=1
	fuzz/run.sh ci-m32

# The Windows DLLs, cross-built with MinGW-w64 into build-win32/ and
# build-win64/, and their tests under Wine. windows-setup installs the cross
# compilers and Wine where they are missing.
windows-setup:
	@tools/setup-windows.sh

define windows_build
	@cmake -S . -B build-$(1) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/windows/mingw-$(2).cmake >/dev/null
	@cmake --build build-$(1) -j$(JOBS)
endef

windows: windows-setup
	$(call windows_build,win32,i686)
	$(call windows_build,win64,x86_64)

test-windows: windows
	ctest --test-dir build-win32 --output-on-failure -j$(JOBS)
	@cmake/windows/wine-run.sh win32 build-win32/internal_tests.exe --gtest_filter='VectorSets.*' | \
	  grep 'vector sets'
	ctest --test-dir build-win64 --output-on-failure -j$(JOBS)

# dist/lumoria-VERSION-win32.zip and -win64.zip.
dist-windows: windows
	tools/dist-windows.sh build-win32 build-win64

# The WebAssembly module and the playground page, in build-web/web/site/.
# Debian's emscripten runs its tools with the node on PATH, which finds
# their packages only through NODE_PATH when it is not Debian's own.
WEB_BUILD ?= build-web
WEB_SITE = $(WEB_BUILD)/web/site
PORT ?= 8025
web-setup:
	@tools/setup-web.sh

web: export NODE_PATH = /usr/share/nodejs
web: web-setup
	@emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DLUMORIA_WEB=ON >/dev/null
	@cmake --build $(WEB_BUILD) -j$(JOBS)
	@echo "the playground is in $(WEB_SITE)/: make serve-web serves it"

# The checksums of the WebAssembly build under Node (printed), the module's
# own tests, and the page in headless Chromium against the native build's
# bytes.
test-web: web build
	ctest --test-dir $(WEB_BUILD)/web --output-on-failure --verbose
	WEB_SITE=$(WEB_SITE) TOOL=$(BUILD)/tools/lumoria-tool node --test web/tests/

# Serves the playground on 127.0.0.1 and prints its address.
serve-web: web
	node web/serve.mjs $(WEB_SITE) $(PORT)

install:
	$(MAKE) build CMAKE_FLAGS="$(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=$(PREFIX)"
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD)

clean:
	rm -rf build build-sanitize build-m32 build-fuzz build-fuzz-m32 build-win32 build-win64 dist \
	  build-web

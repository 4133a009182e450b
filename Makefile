# The whole set-up: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test install package lintian test-asan bench fuzz fuzz-smoke fuzz-corpus clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/mivor

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --repeat until-pass:3 -j $(JOBS)

# The program, its data, the desktop entry, icons, software-centre entry and
# manual page under PREFIX (bin/, lib/mivor/, share/mivor/,
# share/applications/, share/icons/, share/metainfo/, share/man/).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# $(BUILD)/mivor_<version>_amd64.deb: the same files under /usr.
package: build
	@cmake --build $(BUILD) --target package

# Debian's package checker over that package (not part of `make test`: it
# takes a while). Warnings it still gives are explained in the README.
lintian: package
	lintian --display-info $(BUILD)/mivor_*_amd64.deb

# The whole test suite once more, built with AddressSanitizer and UBSan in its
# own build folder; any report (leaks included) fails the test that caused
# it. An impossible allocation returns null as it does without ASan, so the
# tests of that refusal still see it.
ASAN_BUILD ?= build-asan
SANITIZE = -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined
# The X keyboard library strndup()s buffers that hold no terminating NUL, which
# the checked strndup takes for an overflow in every test that opens an X
# display; strndup itself reads no further than its bound.
# The browser engine frees through its own allocator's sized delete, which
# the check reads as a type mismatch; our classes with virtual destructors are
# held to that by -Wdelete-non-virtual-dtor instead.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1:strict_string_checks=1:intercept_strndup=0:new_delete_type_mismatch=0 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/asan/lsan.supp \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS="$(SANITIZE)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)" $(CMAKE_FLAGS) >/dev/null
	@$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure --repeat until-pass:3 -j $(JOBS)

bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMIVOR_BUILD_TESTS=OFF -DMIVOR_BUILD_BENCH=ON >/dev/null
	@cmake --build build-bench -j $(JOBS)

fuzz: deps
	@CXX=clang++ CC=clang cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIVOR_BUILD_TESTS=OFF -DMIVOR_BUILD_FUZZ=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-fuzz -j $(JOBS)

# Each fuzz target FUZZ_SECONDS long from its seeds; prints runs and edges.
FUZZ_SECONDS ?= 60
fuzz-smoke: fuzz
	@bash scripts/fuzz-smoke.sh $(FUZZ_SECONDS)

# Rewrites the seed corpora from the program's own writers and ImageMagick.
fuzz-corpus: fuzz
	@bash scripts/fuzz-corpus.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench build-fuzz

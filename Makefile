# make run   install what is missing, build, start the program on the sample data
# make test  install what is missing, build, run every test
# make test-asan  every test again, built with AddressSanitizer + UBSan (build-asan)
# make fuzz  build the fuzz targets (clang, build-fuzz) and run each FUZZ_SECONDS
# make lint  clang-tidy and cppcheck over src/ (zero findings expected)
# make windows       cross-build luch.exe, luch-calc.exe and the tests for Windows (Qt for
#                    Windows is built once into ~/.cache/luch: about 30 minutes on 2 cores)
# make test-windows  run them under wine, then the smoke test of the zip and the
#                    installer test on Xvfb
# make windows-zip   dist/Луч-<version>-windows-x64.zip, the download for users
# make windows-installer  dist/Луч-<version>-windows-x64.exe, the installer (per user)
# make package       the Debian package build/luch_<version>_amd64.deb (CPack), checked by lintian
# make test-package  install it into a fresh Debian 12 root (debootstrap) and use it there
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test bench clean test-asan fuzz lint windows test-windows \
	windows-zip windows-installer package test-package

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@bash scripts/run-demo $(BUILD)

bench: build
	$(BUILD)/luch-bench

# Sanitizer findings stop the test that meets them (-fno-sanitize-recover).
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUCH_SANITIZE=ON \
	  -DLUCH_BUILD_BENCH=OFF > /dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

fuzz: deps
	@bash scripts/fuzz run $(FUZZ_SECONDS) $(FUZZ_BUILD)

lint: configure
	@bash scripts/lint $(BUILD)

windows:
	@bash scripts/windows-build

test-windows:
	@bash scripts/windows-test

windows-zip:
	@bash scripts/windows-zip

windows-installer:
	@bash scripts/windows-installer

package: deps
	@bash scripts/package $(BUILD)

test-package: deps
	@bash scripts/test-package $(BUILD)

clean:
	rm -rf $(BUILD)

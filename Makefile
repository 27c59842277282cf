# Two commands for a newcomer on a fresh machine:
#   make run    install what is missing, build, run the program
#   make test   install what is missing, build, run every test
# and, for what users install: make package (the .deb and the Windows zip).
# The test runner's closing summary is the last thing printed.

JOBS ?= 2
.PHONY: run test deps build package test-native test-asan test-tsan test-windows bench format-check clean

deps:
	@scripts/setup-deps

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default -j $(JOBS)

run: build
	@scripts/run-program

test: deps
	@scripts/run-tests

test-native: deps
	@scripts/run-tests native

test-asan: deps
	@scripts/run-tests asan

test-tsan: deps
	@scripts/run-tests tsan

test-windows: deps
	@scripts/run-tests windows

package: deps
	@scripts/make-packages

# Names the sources that .clang-format's style would change (exit 1 if any).
# make test runs the same check (CTest style.sources_formatted).
format-check:
	@scripts/format-check

bench: build
	bench/tftp_throughput
	bench/uboot_fetch

clean:
	rm -rf build

# Thin wrapper over the CMake presets.
#   make example   build the program and run it on the bundled example base
#   make test      build and run every test, normally and under ASan + UBSan
#   make bench     build the benchmarks (programs in build/bench/bench/)
#   make install   build the release programs and install them with their man
#                  pages under PREFIX (default /usr/local): make install PREFIX=~/.local

PREFIX ?= /usr/local

.PHONY: example test bench install clean

example:
	cmake --preset release
	cmake --build --preset release
	mkdir -p out/example
	cd out/example && ../../build/release/quadmine ../../examples/tagging_base.txt 2 1 1 1
	@printf '\n\nResults: out/example/quadri_concepts.txt and out/example/users_only.txt\n'

test:
	cmake --workflow --preset dev
	cmake --workflow --preset asan

bench:
	cmake --preset bench
	cmake --build --preset bench

install:
	cmake --preset release
	cmake --build --preset release
	cmake --install build/release --prefix "$(PREFIX)"

clean:
	rm -rf build out

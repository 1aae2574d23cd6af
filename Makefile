# Thin wrapper over the CMake presets. Each target first installs, with
# apt-get, the Debian packages it needs that the machine lacks
# (.ci/install-deps: root or sudo).
#   make example   build the program and run it on the bundled example base
#   make test      build and run every test, normally and under ASan + UBSan
#   make bench     build the benchmarks (programs in build/bench/bench/)
#   make install   build the release programs and install them with their man
#                  pages under PREFIX (default /usr/local): make install PREFIX=~/.local

PREFIX ?= /usr/local

.PHONY: example test bench install clean

example:
	bash .ci/install-deps build
	cmake --preset release
	cmake --build --preset release
	mkdir -p out/example
	cd out/example && ../../build/release/quadmine ../../examples/tagging_base.txt 2 1 1 1
	@printf '\n\nResults: out/example/quadri_concepts.txt and out/example/users_only.txt\n'

test:
	bash .ci/install-deps test
	cmake --workflow --preset dev
	cmake --workflow --preset asan

bench:
	bash .ci/install-deps bench
	cmake --preset bench
	cmake --build --preset bench

install:
	bash .ci/install-deps build
	cmake --preset release
	cmake --build --preset release
	cmake --install build/release --prefix "$(PREFIX)"

clean:
	rm -rf build out

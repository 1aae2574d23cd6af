# Thin wrapper over the CMake presets. Each target first installs, with
# apt-get, the Debian packages it needs that the machine lacks
# (.ci/install-deps: root or sudo).
#   make example   build the programs and take the bundled tagging events
#                  (examples/events.tsv, artists named in examples/artists.csv)
#                  through prepare, mine and show, in out/example/
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
	rm -rf out/example && mkdir -p out/example
	cd out/example && ../../build/release/prepare/quadmine-prepare ../../examples/events.tsv \
	  base.txt --user user --tag tag --resource artist --time time --period year \
	  --resource-names ../../examples/artists.csv
	cd out/example && ../../build/release/quadmine base.txt 2 1 1 1
	@printf '\n\nThe three largest concepts, with names:\n\n'
	cd out/example && ../../build/release/show/quadmine-show --sort size --limit 3
	@printf '\nResults: out/example/quadri_concepts.txt and out/example/users_only.txt\n'

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

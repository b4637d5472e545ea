# The two commands: `make run` and `make test`. Both install what is missing first.
JOBS ?= 2
NATIVE := build/native
WIN := build/win

.PHONY: all deps build native win test run bench scenes fuzz dist dist-test clean

all: build

deps:
	@bash scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)

win: deps
	@cmake -S . -B $(WIN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WIN) -j$(JOBS)

build: native win

# The download is built first: its silent install and uninstall are one of the tests.
test: build dist
	@bash scripts/test.sh

run: win
	@bash scripts/run.sh

bench: win
	@bash scripts/bench.sh

scenes: win
	@bash scripts/scenes.sh

# Each reader of stored bytes for ten million inputs (FUZZ_RUNS to change it).
FUZZ_RUNS ?= 10000000
fuzz: native
	@bash scripts/fuzz.sh $(FUZZ_RUNS)

# The download for Windows users: the zip and the installer in build/dist/.
dist: win
	@bash scripts/install-deps.sh dist
	@bash scripts/dist.sh

# The installer tried under Wine in a fresh prefix: silent install, App Paths,
# the association and Assist reaching the installed editor, silent uninstall
# (also a test of `make test`).
dist-test: dist
	@bash scripts/dist-test.sh

clean:
	rm -rf build

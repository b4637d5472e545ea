# The two commands: `make run` and `make test`. Both install what is missing first.
JOBS ?= 2
NATIVE := build/native
WIN := build/win

.PHONY: all deps build native win test run bench scenes fuzz clean

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

test: build
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

clean:
	rm -rf build

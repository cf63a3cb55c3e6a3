# Quorbell: build, test and run from a Debian machine (Quorbell.exe is cross-built with MinGW-w64
# and run under Wine). Every entry installs what it needs first.

BUILD   := build
NATIVE  := $(BUILD)/native
WIN     := $(BUILD)/win
FUZZDIR := $(BUILD)/fuzz
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
GEN     := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
FUZZ_SECONDS ?= 60

.PHONY: all build native win test run bench soak fuzz fuzz-build deps clean dist screenshots

all: build

deps:
	@scripts/install-deps.sh

build: deps native win

native: deps
	@[ -f $(NATIVE)/CMakeCache.txt ] || cmake -S . -B $(NATIVE) -G "$(GEN)" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

WIN_CONFIGURE = [ -f $(WIN)/CMakeCache.txt ] || cmake -S . -B $(WIN) -G "$(GEN)" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake >/dev/null

win: deps
	@$(WIN_CONFIGURE)
	@cmake --build $(WIN) -j $(JOBS)

# The release package: dist/Quorbell-<version>-win64.zip and its symbols file beside it.
dist: deps
	@$(WIN_CONFIGURE)
	@cmake --build $(WIN) -j $(JOBS) --target Quorbell quorbell_shipped_texts
	@python3 scripts/make-dist.py zip --build $(WIN) --out dist

# Pictures of every window for the README, into docs/screenshots/.
screenshots: deps
	@$(WIN_CONFIGURE)
	@cmake --build $(WIN) -j $(JOBS) --target quorbell-screenshots
	@scripts/screenshots.sh

fuzz-build: deps
	@[ -f $(FUZZDIR)/CMakeCache.txt ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZDIR) -G "$(GEN)" \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORBELL_FUZZ=ON >/dev/null
	@cmake --build $(FUZZDIR) -j $(JOBS) --target fuzzers

test: build fuzz-build
	@scripts/run-tests.sh

run: build
	@scripts/run.sh

bench: build
	@scripts/bench.sh

soak: build
	@scripts/soak.sh

fuzz: fuzz-build
	@FUZZ_DIR=$(FUZZDIR) scripts/fuzz.sh $(FUZZ_SECONDS)

clean:
	@scripts/winebed.sh stop-all 2>/dev/null || true
	rm -rf $(BUILD)

# Wrivo's two commands:
#   make run    build Wrivo.exe and start it under Wine
#   make test   build both builds and run every test
# Each first installs whatever the machine is missing (quick when nothing is).

BUILD   ?= build
JOBS    ?= $(shell nproc)
NATIVE  := $(BUILD)/native
CROSS   := $(BUILD)/win32
BENCH   := $(BUILD)/native-bench
STAMP   := $(BUILD)/.deps-ok

# The compiler cache keys on paths relative to the tree, so every checkout of
# the same sources shares its entries.
export CCACHE_BASEDIR  := $(abspath .)
export CCACHE_NOHASHDIR := 1

DIST    := dist

.PHONY: all run test deps native win32 dist test-native test-win32 bench fuzz clean

all: native win32

# Checking every package takes a second; a stamp newer than the script skips it.
deps: $(STAMP)
$(STAMP): tools/install-deps.sh
	@bash tools/install-deps.sh
	@mkdir -p $(BUILD) && touch $@

# With CI=true in the environment our own targets build with -Werror. The
# choice is a stamp file, so a build folder is configured again when it changes.
WERROR  := $(if $(filter true,$(CI)),ON,OFF)
WSTAMP  := $(BUILD)/.werror-$(WERROR)
$(WSTAMP):
	@mkdir -p $(BUILD) && rm -f $(BUILD)/.werror-* && touch $@

$(NATIVE)/Makefile: $(WSTAMP) | deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWRIVO_WERROR=$(WERROR) >/dev/null

$(CROSS)/Makefile: $(WSTAMP) | deps
	cmake -S . -B $(CROSS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWRIVO_WERROR=$(WERROR) >/dev/null

# Benchmarks time the real code: their native build has no sanitizers.
$(BENCH)/Makefile: | deps
	cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWRIVO_SANITIZE=OFF >/dev/null

native: deps $(NATIVE)/Makefile
	cmake --build $(NATIVE) -j $(JOBS)

win32: deps $(CROSS)/Makefile
	cmake --build $(CROSS) -j $(JOBS)

# The shipped Wrivo.exe (stripped, debug information kept beside it in
# $(CROSS)/release), the portable zip and the installer, copied into dist/.
# (Building Wrivo first also brings an older build folder's rules up to date,
# so that they know the dist target.)
dist: deps $(CROSS)/Makefile
	cmake --build $(CROSS) -j $(JOBS) --target Wrivo
	cmake --build $(CROSS) -j $(JOBS) --target dist
	mkdir -p $(DIST)
	cp $(CROSS)/dist/Wrivo-*-win32.zip $(CROSS)/dist/Wrivo-*-setup.exe $(DIST)/

test-native: native
	cd $(NATIVE) && ctest --output-on-failure

# The Win32 tests run $(SLOTS) at a time, each slot with a private display and
# a Wine prefix of its own (tools/run-tests.sh): two tests side by side never
# share a keyboard focus, a mouse pointer or a Wine server, so a test that
# drags or types never has another test's window under its pointer. The
# tests mostly wait on Wine, so slots beyond the cores still pay.
#
# Where i386 runs emulated (qemu-user through binfmt_misc), Wine's start-up now
# and then stalls for good; a test that failed is then run once more, from a
# fresh Wine (tools/wine-test.sh). A test that fails twice fails the run, and
# so does one that failed by itself and passed on its repeat: the repeat is
# for a stalled Wine only (tools/run-tests.sh says which test and why, and
# decides whether i386 is emulated as the tests start, after the set-up has
# registered the emulator).
SLOTS   ?= 3
test-win32: win32 dist
	tools/run-tests.sh $(CROSS) --slots $(SLOTS) --repeat-if-emulated --output-on-failure

test: test-native test-win32

run: win32
	tools/wine-run.sh $(CROSS)/bin/Wrivo.exe

bench: deps $(BENCH)/Makefile $(CROSS)/Makefile
	cmake --build $(BENCH) -j $(JOBS) --target bench
	cmake --build $(CROSS) -j $(JOBS) --target bench
	tools/run-benchmarks.sh $(BENCH) $(CROSS)

# clang and its sanitizers serve only the fuzzers, so only this installs them.
fuzz: deps
	bash tools/install-deps.sh fuzz
	tools/fuzz.sh $(BUILD)/fuzz

clean:
	rm -rf $(BUILD)

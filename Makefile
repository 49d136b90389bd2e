# Front door: `make test` and `make demo` each work on a fresh Debian 12 machine.
BUILD     ?= build
JOBS      ?= 2
BUILD_TYPE ?= RelWithDebInfo
CONFORMANCE ?= ../shared/conformance
# Name prefixes of the sample cases to run; empty for all.
CONFORMANCE_CASES ?=

# The Debian packages of each group in packages.txt (the one list of them).
packages = $(shell sed -n 's/^$(1): //p' packages.txt)
PACKAGES := $(call packages,build)
FUZZ_PACKAGES := $(call packages,fuzz)
INSTALL_PACKAGES := $(call packages,install)
DEB_PACKAGES := $(call packages,deb) $(INSTALL_PACKAGES)
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all build deps fuzz-deps dap-deps npm-deps test unit conformance demo fuzz sanitize opcoverage \
  format format-check clean grammar web web-serve web-test pictures install uninstall \
  install-test deb deb-test vsix icon

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  $(SUDO) apt-get update -qq && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

fuzz-deps:
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"

# The generated Makefile, not the cache, marks a finished configure: a configure that failed
# (a package missing) is run again next time.
$(BUILD)/Makefile:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS)

test: deps
	@$(MAKE) --no-print-directory build
	@$(MAKE) --no-print-directory unit conformance

# The editor grammar is generated from the keyword table; this copies it to the file that
# editors/vscode ships (a test fails while the two differ).
grammar: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS) --target grammar

unit: dap-deps
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The debugger's tests drive brindle --dap with the Debug Adapter Protocol's own test client,
# an npm package pinned by tests/dap/package-lock.json. npm ci runs again only when the lock
# file changes. Without node those tests are left out, and CMake's configure says so.
DAP_MODULES := tests/dap/node_modules/.package-lock.json
dap-deps:
	@if command -v node >/dev/null 2>&1; then \
	  $(MAKE) -s --no-print-directory npm-deps $(DAP_MODULES); \
	else echo "node not found: the debugger's tests are left out"; fi

# Debian's nodejs leaves npm to a package of its own; NodeSource's carries it.
npm-deps:
	@command -v npm >/dev/null 2>&1 || $(MAKE) --no-print-directory deps PACKAGES=npm

$(DAP_MODULES): tests/dap/package.json tests/dap/package-lock.json
	cd tests/dap && npm ci --no-audit --no-fund --loglevel=error

# In CI (CI set) what a test needs must be there: missing, it fails rather than being passed over.
conformance:
	@if [ -x $(CONFORMANCE)/run ]; then \
	  python3 $(CONFORMANCE)/run $(BUILD)/brindle $(CONFORMANCE_CASES); \
	elif [ -n "$$CI" ]; then echo "no sample cases at $(CONFORMANCE), and CI runs them"; exit 1; \
	else echo "no sample cases at $(CONFORMANCE); skipped"; fi

# Writes the pictures of the examples, the tutorial and the reference anew from their scripts
# (a test fails while a committed picture differs from what its script draws).
pictures: build
	python3 tests/docs/check_pictures.py $(BUILD)/brindle --refresh

# In a window when there is a display to open it on; else headless, with a screenshot.
DEMO ?= examples/meteors.bas
DEMO_HEADLESS ?= examples/shapes.bas
# Builds only the program (the tests are most of the build), saying what it does as it goes.
demo:
	@echo "demo: checking the packages the build needs (apt-get installs any that are missing)"
	@$(MAKE) --no-print-directory deps
	@echo "demo: building brindle (about a minute on a fresh machine; the tests are not built)"
	@$(MAKE) --no-print-directory $(BUILD)/Makefile >/dev/null
	@env -u MAKELEVEL -u MAKEFLAGS -u MFLAGS cmake --build $(BUILD) -j$(JOBS) --target brindle
	@status=2; \
	if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "$(DEMO) in a window: Enter answers the first box; close the window to end."; \
	  $(BUILD)/brindle $(DEMO); status=$$?; \
	fi; \
	if [ $$status -eq 2 ]; then \
	  echo "No display to open a window on: $(DEMO_HEADLESS) runs headless."; \
	  $(BUILD)/brindle --headless --screenshot $(BUILD)/demo.png $(DEMO_HEADLESS) && \
	  echo "The window's picture: $(BUILD)/demo.png"; \
	fi

# AddressSanitizer and UndefinedBehaviorSanitizer, in a build of their own.
sanitize: deps
	@$(MAKE) --no-print-directory test BUILD=build-asan BUILD_TYPE=Debug \
	  CMAKE_FLAGS="-DBRINDLE_SANITIZE=ON $(SANITIZE_FLAGS)"

# The operation coverage gate: a build that counts the operations each machine runs
# (BRINDLE_OP_COUNTS) runs the core tests, each process appending its counts to one file, and
# tests/op_coverage/check.py fails unless every operation ran on every path it has or is
# exempt, with its reason, in tests/op_coverage/exemptions.txt. The window's tests are left
# out, so that the verdict is the same on a machine without a display. Unoptimised: what runs
# does not depend on it, and the build takes a third of the time.
OPCOUNTS_BUILD ?= build-opcounts
OPCOUNTS_FILE = $(abspath $(OPCOUNTS_BUILD))/op-counts.txt
opcoverage: deps
	cmake -S . -B $(OPCOUNTS_BUILD) -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS=-O0 \
	  -DCMAKE_C_FLAGS=-O0 -DBRINDLE_OP_COUNTS=ON
	cmake --build $(OPCOUNTS_BUILD) -j$(JOBS) --target brindle brindle_tests
	rm -f $(OPCOUNTS_FILE)
	cd $(OPCOUNTS_BUILD) && BRINDLE_OP_COUNTS_FILE=$(OPCOUNTS_FILE) \
	  ctest --output-on-failure -j$(JOBS) -L '^core$$'
	python3 tests/op_coverage/check.py $(OPCOUNTS_FILE) tests/op_coverage/exemptions.txt

# Each target fuzzes for FUZZ_SECONDS. The corpora grow in FUZZ_DIR from run to run (make clean
# keeps them), seeded every time from the test scripts and examples, and for pictures from the
# picture files in tests/pictures (hostile ones among them) and the examples, and for the language
# server from conversations about each script (fuzz/lsp_seeds.py), and for the debugger from
# sessions about its own script (fuzz/dap_seeds.py); crashes are kept
# in FUZZ_DIR/crashes.
FUZZ_SECONDS ?= 60
FUZZ_DIR ?= fuzz-out
FUZZ_RUN = -max_total_time=$(FUZZ_SECONDS) -timeout=10 -detect_leaks=1 \
  -artifact_prefix=$(FUZZ_DIR)/crashes/
fuzz: deps fuzz-deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_C_COMPILER=clang -DBRINDLE_FUZZ=ON -DBRINDLE_TESTS=OFF
	cmake --build build-fuzz -j$(JOBS) --target brindle_fuzz brindle_fuzz_events \
	  brindle_fuzz_picture brindle_fuzz_lsp brindle_fuzz_dap
	mkdir -p $(FUZZ_DIR)/script $(FUZZ_DIR)/events $(FUZZ_DIR)/picture $(FUZZ_DIR)/lsp $(FUZZ_DIR)/dap \
	  $(FUZZ_DIR)/crashes
	cp tests/scripts/*.bas examples/*.bas $(FUZZ_DIR)/script/
	cp tests/pictures/*.bmp tests/pictures/*.png tests/pictures/*.jpg tests/pictures/*.gif \
	  tests/pictures/*.tga tests/scripts/*.bmp examples/*.bmp $(FUZZ_DIR)/picture/
	@# An events case is the script, a zero byte, then the timeline.
	@for e in tests/scripts/*.events examples/*.events; do \
	  b="$${e%.events}.bas"; [ -f "$$b" ] || continue; \
	  { cat "$$b"; printf '\0'; cat "$$e"; } > "$(FUZZ_DIR)/events/seed-$$(basename "$${e%.events}")"; \
	done
	build-fuzz/brindle_fuzz $(FUZZ_RUN) -max_len=4096 $(FUZZ_DIR)/script
	build-fuzz/brindle_fuzz_events $(FUZZ_RUN) -max_len=16384 $(FUZZ_DIR)/events
	build-fuzz/brindle_fuzz_picture $(FUZZ_RUN) -max_len=65536 $(FUZZ_DIR)/picture
	python3 fuzz/lsp_seeds.py $(FUZZ_DIR)/lsp tests/scripts/*.bas examples/*.bas
	build-fuzz/brindle_fuzz_lsp $(FUZZ_RUN) -max_len=16384 $(FUZZ_DIR)/lsp
	python3 fuzz/dap_seeds.py $(FUZZ_DIR)/dap
	build-fuzz/brindle_fuzz_dap $(FUZZ_RUN) -max_len=16384 $(FUZZ_DIR)/dap

# The playground (web/): the interpreter compiled to WebAssembly with Debian's emscripten, in
# $(WEB_BUILD)/site. web-serve serves it on 127.0.0.1 (WEB_PORT, 0 for any free port);
# web-test drives it in headless Chromium against the native build.
WEB_BUILD ?= build-web
WEB_PORT ?= 8000
WEB_PACKAGES := $(call packages,web)
web:
	@$(MAKE) --no-print-directory deps PACKAGES="$(WEB_PACKAGES)"
	JOBS=$(JOBS) web/build.sh $(WEB_BUILD)

web-serve: web
	python3 web/serve.py $(WEB_BUILD)/site $(WEB_PORT)

web-test: web
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(WEB_PACKAGES)"
	@$(MAKE) --no-print-directory npm-deps
	@$(MAKE) --no-print-directory build
	cd web && npm ci --no-audit --no-fund --loglevel=error
	cd web && BRINDLE_SITE=$(abspath $(WEB_BUILD))/site BRINDLE_NATIVE=$(abspath $(BUILD))/brindle \
	  node --test test/*.test.js

# Installing: PREFIX (default /usr/local) is compiled in, as where the examples are; DESTDIR
# puts the tree under another root (the program still finds its examples beside itself).
# `make uninstall` removes what the last install from this build folder wrote.
# The build folder is configured again only for another PREFIX, so that `sudo make install`
# after a build of one's own leaves no file of root's in it but the install's manifest.
PREFIX ?= /usr/local
install:
	@if [ "$$(sed -n 's|^CMAKE_INSTALL_PREFIX:PATH=||p' $(BUILD)/CMakeCache.txt 2>/dev/null)" \
	      != "$(PREFIX)" ] || [ ! -f $(BUILD)/Makefile ]; then \
	  cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX) \
	    $(CMAKE_FLAGS) >/dev/null; \
	fi
	env -u MAKELEVEL -u MAKEFLAGS -u MFLAGS cmake --build $(BUILD) -j$(JOBS) \
	  --target brindle brindle_manual_pages
	DESTDIR=$(DESTDIR) cmake --install $(BUILD)

uninstall:
	DESTDIR=$(DESTDIR) cmake --build $(BUILD) --target uninstall

# Installs into a folder of the build, checks the installed files from another folder
# (tests/packaging/install_test.sh), then uninstalls.
INSTALL_TEST_ROOT = $(abspath $(BUILD))/install-test-root
install-test:
	@$(MAKE) --no-print-directory deps PACKAGES="$(INSTALL_PACKAGES)"
	rm -rf $(INSTALL_TEST_ROOT)
	@$(MAKE) --no-print-directory install DESTDIR=$(INSTALL_TEST_ROOT) >/dev/null
	tests/packaging/install_test.sh $(INSTALL_TEST_ROOT) $(PREFIX) $(CURDIR) $(abspath $(BUILD))
	rm -rf $(INSTALL_TEST_ROOT)

# The Debian package, built by dpkg-buildpackage from a copy of the source (the files git
# knows, committed or not) in $(DEB_BUILD), where the .deb is left; lintian fails it on an
# error. The package builds the program alone, with ccache when it is installed.
DEB_BUILD ?= build-deb
VERSION := $(shell sed -n 's/^project.brindle VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
COMMIT := $(shell git rev-parse --short=7 HEAD 2>/dev/null || echo unknown)
DEB_ARCH = $(shell dpkg --print-architecture)
DEB_FILE = $(DEB_BUILD)/brindle_$(VERSION)_$(DEB_ARCH).deb
deb:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(DEB_PACKAGES)"
	rm -rf $(DEB_BUILD)/brindle-$(VERSION) $(DEB_FILE)
	mkdir -p $(DEB_BUILD)/brindle-$(VERSION)
	git ls-files -z --cached --others --exclude-standard | \
	  tar --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C $(DEB_BUILD)/brindle-$(VERSION)
	cd $(DEB_BUILD)/brindle-$(VERSION) && env -u MAKELEVEL -u MAKEFLAGS -u MFLAGS \
	  BRINDLE_COMMIT=$(COMMIT) DEB_BUILD_OPTIONS="parallel=$(JOBS) $$DEB_BUILD_OPTIONS" \
	  dpkg-buildpackage -us -uc -b
	lintian --fail-on error --info $(DEB_FILE)
	@echo "The package: $(DEB_FILE)"

# Installs the package with dpkg on this machine, runs the installed program from another
# folder, purges it and checks that nothing is left (tests/packaging/deb_test.sh). It replaces
# an installed brindle package.
deb-test: deb
	$(SUDO) tests/packaging/deb_test.sh $(DEB_FILE)

# The VS Code extension as a .vsix, packed by @vscode/vsce at the version that
# editors/vsix/package-lock.json pins.
VSIX_MODULES := editors/vsix/node_modules/.package-lock.json
$(VSIX_MODULES): editors/vsix/package.json editors/vsix/package-lock.json
	@$(MAKE) --no-print-directory npm-deps
	cd editors/vsix && npm ci --no-audit --no-fund --loglevel=error
vsix: $(VSIX_MODULES)
	mkdir -p $(BUILD)
	cd editors/vscode && ../vsix/node_modules/.bin/vsce package --no-dependencies \
	  --skip-license --allow-missing-repository -o $(abspath $(BUILD))/brindle-$(VERSION).vsix </dev/null
	@echo "The extension: $(BUILD)/brindle-$(VERSION).vsix (code --install-extension $(BUILD)/brindle-$(VERSION).vsix)"

# Draws the icon anew from packaging/icon/brindle.bas (a test fails while the committed
# pictures differ from it); look at them before committing.
icon: build
	python3 packaging/icon/render.py $(BUILD)/brindle --refresh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

format-check:
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-asan build-fuzz build-opcounts build-web build-deb

# One command per job; CMake does the real work in build/.
BUILD := build
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Release -DLOOPCOST_WERROR=ON
JOBS := $(shell nproc 2>/dev/null || echo 2)

SANITIZE_BUILD := build-sanitize
# Leak checks stay on; any sanitizer report fails the run.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

WINDOWS_BUILD := build-windows
PREFIX ?= /usr/local
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 20  # per target
FUZZ_TARGETS := parse analysis report options lsp extended

WEB_BUILD := build-web
WEB_PORT ?= 8000
# Debian's Emscripten runs its JavaScript tools with node; a node from elsewhere (NodeSource)
# must be told where Debian keeps their modules.
WEB_ENV := NODE_PATH=/usr/share/nodejs

# What the build and the tests need from Debian; `make demo` and `make test` install what is
# missing (as root) or name the command that would.
BUILD_PACKAGES := g++ cmake make gettext libgtest-dev libcli11-dev nlohmann-json3-dev libboost-dev
TEST_PACKAGES := $(BUILD_PACKAGES) dpkg-dev file gzip man-db python3 util-linux
WEB_PACKAGES := $(BUILD_PACKAGES) emscripten python3
TEST_WEB_PACKAGES := $(WEB_PACKAGES) chromium fonts-wqy-microhei

EDITORS_BUILD := build-editors
# The editor extensions carry the project's version.
VERSION := $(shell sed -n 's/^project.loopcost VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
VSCODE_STAGE := $(EDITORS_BUILD)/vscode

.PHONY: pot all configure prerequisites test-prerequisites test format clean demo check-sanitize fuzz bench install package windows \
	test-windows web serve-web test-web vscode test-editors

# The tool and its manual page; the tests, benchmarks and fuzz replays are built by make test.
all: configure
	cmake --build $(BUILD) -j $(JOBS) --target loopcost manual_page

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

prerequisites:
	tools/install-missing $(BUILD_PACKAGES)

test-prerequisites:
	tools/install-missing $(TEST_PACKAGES)

test: test-prerequisites configure
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite, the end-to-end runs included, against an ASan+UBSan+LSan build. -Og: at -O2
# the instrumented JSON and test code took most of CI's time to compile.
check-sanitize:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-Og -g -DNDEBUG" -DLOOPCOST_WERROR=ON -DLOOPCOST_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# Each fuzz target with libFuzzer, ASan and UBSan for FUZZ_SECONDS, seeded with its corpus in
# tests/fuzz/corpus/ (which make test replays); what it adds goes to $(FUZZ_BUILD)/corpus/.
# Findings land in $(FUZZ_BUILD)/findings/ and fail the run. Paths are absolute: a target may
# change its working folder.
fuzz:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DLOOPCOST_WERROR=ON -DLOOPCOST_FUZZ=ON -DLOOPCOST_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS:%=%_fuzz)
	mkdir -p $(FUZZ_BUILD)/findings
	set -e; for target in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$target; \
		dictionary=program; [ $$target = options ] && dictionary=options; [ $$target = lsp ] && dictionary=lsp; \
		$(CURDIR)/$(FUZZ_BUILD)/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
			-rss_limit_mb=2048 -dict=$(CURDIR)/tests/fuzz/$$dictionary.dict \
			-artifact_prefix=$(CURDIR)/$(FUZZ_BUILD)/findings/$$target- -print_final_stats=1 \
			$(CURDIR)/$(FUZZ_BUILD)/corpus/$$target $(CURDIR)/tests/fuzz/corpus/$$target \
			> $(FUZZ_BUILD)/$$target.log 2>&1 || { tail -40 $(FUZZ_BUILD)/$$target.log; exit 1; }; \
		grep -E '^(Done|stat::number_of_executed_units)' $(FUZZ_BUILD)/$$target.log \
			| sed "s/^/$$target: /"; \
	done

# End-to-end times (hyperfine) and peak memory on generated programs, next to `wc -w` on the
# same files, then the phases of a run. BASELINE=<git revision> also builds that revision in a
# scratch folder and times it in the same runs, interleaved: the ratio is the figure to quote.
bench: configure
	cmake --build $(BUILD) -j $(JOBS)
	JOBS=$(JOBS) bench/run.sh $(BUILD) $(BASELINE)

# The tool in $(PREFIX)/bin and its manual page in $(PREFIX)/share/man/man1.
install: all
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package in $(BUILD)/, dependencies computed from the binary.
package: all
	cd $(BUILD) && cpack

# $(WINDOWS_BUILD)/loopcost.exe, cross-compiled with MinGW-w64.
windows:
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
		-DCMAKE_BUILD_TYPE=Release -DLOOPCOST_WERROR=ON -DLOOPCOST_TESTS=OFF
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target loopcost

# The golden cases against the Windows build under Wine, line ends normalised.
test-windows: configure windows
	cmake --build $(BUILD) -j $(JOBS) --target loopcost_tests
	tests/windows/run-golden.sh $(BUILD) $(WINDOWS_BUILD)/loopcost.exe

# The playground: the core compiled with Emscripten and the static site in $(WEB_BUILD)/site/,
# the page's modules bundled with the npm packages of web/.
web: web/node_modules/.package-lock.json
	tools/install-missing $(WEB_PACKAGES)
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DLOOPCOST_WERROR=ON
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

serve-web: web
	@echo "The playground is at http://127.0.0.1:$(WEB_PORT)/ (Ctrl-C stops it)"
	python3 -m http.server --bind 127.0.0.1 --directory $(WEB_BUILD)/site $(WEB_PORT)

# The playground in headless Chromium, against the native tool; leaves $(WEB_BUILD)/screenshot.png.
# The font shows the Chinese label in the screenshot.
test-web: all web web/node_modules/.package-lock.json
	tools/install-missing $(TEST_WEB_PACKAGES)
	node web/test/playground.test.mjs $(WEB_BUILD) $(BUILD)/loopcost

# npm comes with NodeSource's node; Debian's npm is only wanted (and only installs) without it.
web/node_modules/.package-lock.json: web/package-lock.json
	command -v npm > /dev/null || tools/install-missing npm
	cd web && npm ci --no-audit --no-fund

# The VS Code extension as $(EDITORS_BUILD)/loopcost-$(VERSION).vsix, packaged from a staging copy
# that is given the version and holds the runtime packages alone.
vscode: editors/vscode/node_modules/.package-lock.json
	rm -rf $(VSCODE_STAGE) && mkdir -p $(VSCODE_STAGE)
	tar -C editors/vscode --exclude=./node_modules -cf - . | tar -C $(VSCODE_STAGE) -xf -
	cd $(VSCODE_STAGE) && npm ci --omit=dev --no-audit --no-fund && npm pkg set version=$(VERSION)
	cd $(VSCODE_STAGE) && $(CURDIR)/editors/vscode/node_modules/.bin/vsce package \
		--skip-license --allow-missing-repository --out $(CURDIR)/$(EDITORS_BUILD)/loopcost-$(VERSION).vsix

# Every editor test (editors/test.sh) against the tool in $(BUILD), after installing Neovim and
# the npm packages they need.
test-editors: all editors/vscode/node_modules/.package-lock.json
	tools/install-missing neovim
	editors/test.sh $(BUILD)

editors/vscode/node_modules/.package-lock.json: editors/vscode/package-lock.json
	command -v npm > /dev/null || tools/install-missing npm
	cd editors/vscode && npm ci --no-audit --no-fund

# The messages to translate: tr("...") and N_("...") in the C++ sources and the page's scripts,
# and the page's marked markup. po/zh_TW.po is brought up to date; its new entries are then to
# be translated.
POT_SOURCES = $(sort $(wildcard $(addsuffix /*.cpp,support analysis report driver lsp web) web/page/*.js))
pot: web/node_modules/.package-lock.json
	mkdir -p $(BUILD)
	xgettext --from-code=UTF-8 --keyword=tr --keyword=trn:1,2 --keyword=N_ --sort-by-file --package-name=loopcost \
		--package-version=$(VERSION) -o $(BUILD)/code.pot \
		$(POT_SOURCES)
	node web/i18n.mjs pot web/page/index.html > $(BUILD)/page.pot
	msgcat --use-first --sort-by-file -o po/loopcost.pot $(BUILD)/code.pot $(BUILD)/page.pot
	msgmerge --quiet --update --backup=none --no-fuzzy-matching po/zh_TW.po po/loopcost.pot

format:
	clang-format -i $$(git ls-files '*.h' '*.cpp')

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) $(WEB_BUILD) $(EDITORS_BUILD) bench/out

# The examples, with the Big5 prompt and labels converted for a UTF-8 terminal.
demo: prerequisites all
	@printf '%s\n' examples/*.txt | $(BUILD)/loopcost | iconv -f BIG5 -t UTF-8; echo

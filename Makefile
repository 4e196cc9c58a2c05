# Thin wrapper around CMake and Ninja: `make play` starts the game, `make test` runs every test.
SHELL := /bin/bash
BUILD_DIR ?= build
GENERATOR ?= Ninja
# Where `make install` puts the game and its manual page: $(PREFIX)/games/nebulance and
# $(PREFIX)/share/man/man6/nebulance.6.
PREFIX ?= /usr/local
# How long `make fuzz` runs the fuzzer, in seconds.
FUZZ_SECONDS ?= 60
# Parallel jobs for clang-tidy.
LINT_JOBS ?= 2
CLANG_TIDY ?= clang-tidy
CLANG_FORMAT ?= clang-format

# The game's version, from the one place that names it: project(... VERSION ...) in CMakeLists.txt.
VERSION := $(shell sed -n 's/^project(nebulance VERSION \([0-9.]*\)[ )].*/\1/p' CMakeLists.txt)

SOURCES = $(shell find src tests bench -name '*.cpp' -o -name '*.h')
# The web entry is compiled by Emscripten only, so it has no entry in the native build's database.
# The Windows sources are compiled by mingw-w64 only: the console window's Windows side includes
# <windows.h>, and the scripted player is built for wine alone.
TIDY_SOURCES = $(shell find src tests bench -name '*.cpp' ! -name 'game_fuzzer.cpp' ! -name 'web_main.cpp' \
  ! -name '*_windows.cpp' ! -path 'tests/windows/*')

.PHONY: play test build clean check fuzz bench lint format install package reproducible \
  game release release-check test-release libcxx static windows windows-test web serve web-test \
  web-bench web-trace

# The project's own builds treat every warning as an error; a plain cmake configure does not.
CHECKED = -DNEBULANCE_WERROR=ON

play:
	cmake -S . -B $(BUILD_DIR)/release -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DNEBULANCE_TESTS=OFF
	cmake --build $(BUILD_DIR)/release --target nebulance
	$(BUILD_DIR)/release/nebulance

build:
	cmake -S . -B $(BUILD_DIR)/debug -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug $(CHECKED)
	cmake --build $(BUILD_DIR)/debug

test: build
	ctest --test-dir $(BUILD_DIR)/debug --output-on-failure

# The whole suite optimised as the release game is: -O3 shows the compiler more, and it warns
# about more.
test-release:
	cmake -S . -B $(BUILD_DIR)/release-tests -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release $(CHECKED)
	cmake --build $(BUILD_DIR)/release-tests
	ctest --test-dir $(BUILD_DIR)/release-tests --output-on-failure

# A portability check: the game built by clang on LLVM's C++ library (libc++-dev) must play the
# benchmark's scripts exactly as the gcc game does within the same clock second.
libcxx: game
	cmake -S . -B $(BUILD_DIR)/libcxx -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release $(CHECKED) \
	  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS=-stdlib=libc++ \
	  -DCMAKE_EXE_LINKER_FLAGS=-stdlib=libc++ -DNEBULANCE_TESTS=OFF -DNEBULANCE_BENCH=OFF
	cmake --build $(BUILD_DIR)/libcxx --target nebulance
	tests/package/plays_like.sh $(BUILD_DIR)/libcxx/nebulance $(BUILD_DIR)/release/nebulance

# The Linux download's game: one fully static executable, $(BUILD_DIR)/static/nebulance, which
# must play as the release game does.
static: game
	cmake -S . -B $(BUILD_DIR)/static -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release $(CHECKED) \
	  -DNEBULANCE_TESTS=OFF -DNEBULANCE_BENCH=OFF -DNEBULANCE_FULLY_STATIC=ON
	cmake --build $(BUILD_DIR)/static --target nebulance
	file $(BUILD_DIR)/static/nebulance | grep -q 'statically linked'
	tests/package/plays_like.sh $(BUILD_DIR)/static/nebulance $(BUILD_DIR)/release/nebulance

# The game for 64-bit Windows, $(BUILD_DIR)/windows/nebulance.exe: cross-compiled with Debian's
# mingw-w64 (g++-mingw-w64-x86-64-posix), one static executable that needs only Windows' own
# DLLs.
windows:
	cmake -S . -B $(BUILD_DIR)/windows -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release $(CHECKED) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DNEBULANCE_TESTS=OFF -DNEBULANCE_BENCH=OFF
	cmake --build $(BUILD_DIR)/windows --target nebulance

# The Windows game under wine (Debian's wine64, which installs /usr/lib/wine/wine64), in a prefix
# of its own, with no prompt to install Mono or Gecko and no X display: every session through the
# scripted player (tests/windows/replay_sessions.sh), then nebulance.exe itself
# (tests/windows/shipped_game.sh, which make release-check also runs on the downloaded one).
WINE_ENV = WINE=$(shell command -v wine64 || echo /usr/lib/wine/wine64) \
  WINEPREFIX=$(abspath $(BUILD_DIR))/wine WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
windows-test: windows
	cmake --build $(BUILD_DIR)/windows --target nebulance_scripted
	$(WINE_ENV) tests/windows/replay_sessions.sh $(BUILD_DIR)/windows/tests/windows/nebulance_scripted.exe
	$(WINE_ENV) tests/windows/shipped_game.sh $(BUILD_DIR)/windows/nebulance.exe $(VERSION)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer; any report fails it.
check:
	cmake -S . -B $(BUILD_DIR)/asan -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DNEBULANCE_SANITIZE=ON \
	  $(CHECKED)
	cmake --build $(BUILD_DIR)/asan
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ctest --test-dir $(BUILD_DIR)/asan --output-on-failure

# libFuzzer plays the whole game on made-up input for FUZZ_SECONDS. New inputs go to
# $(BUILD_DIR)/fuzz/corpus, findings to $(BUILD_DIR)/fuzz/findings (and fail the target).
fuzz:
	cmake -S . -B $(BUILD_DIR)/fuzz -G $(GENERATOR) -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNEBULANCE_FUZZ=ON -DNEBULANCE_TESTS=OFF -DNEBULANCE_BENCH=OFF
	cmake --build $(BUILD_DIR)/fuzz --target nebulance_fuzzer
	mkdir -p $(BUILD_DIR)/fuzz/corpus $(BUILD_DIR)/fuzz/findings
	@echo "fuzzing for $(FUZZ_SECONDS) s; the full log goes to $(BUILD_DIR)/fuzz/fuzz.log"
	@$(BUILD_DIR)/fuzz/tests/fuzz/nebulance_fuzzer $(BUILD_DIR)/fuzz/corpus tests/fuzz/corpus \
	  -max_total_time=$(FUZZ_SECONDS) -dict=tests/fuzz/game.dict -max_len=4096 -timeout=10 \
	  -print_final_stats=1 \
	  -artifact_prefix=$(BUILD_DIR)/fuzz/findings/ > $(BUILD_DIR)/fuzz/fuzz.log 2>&1; \
	  status=$$?; grep -E 'INITED|DONE|ERROR|SUMMARY|Test unit written|^stat::' $(BUILD_DIR)/fuzz/fuzz.log; \
	  if [ $$status -ne 0 ]; then tail -n 60 $(BUILD_DIR)/fuzz/fuzz.log; fi; exit $$status

# Google Benchmark in a release build, then the game against cat on the same output.
bench:
	cmake -S . -B $(BUILD_DIR)/bench -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release \
	  -DNEBULANCE_TESTS=OFF -DNEBULANCE_BENCH=ON
	cmake --build $(BUILD_DIR)/bench --target nebulance nebulance_bench
	$(BUILD_DIR)/bench/bench/nebulance_bench
	bench/replay_vs_cat.sh $(BUILD_DIR)/bench/nebulance

# clang-format in check mode and clang-tidy on every source file; any finding fails.
lint:
	cmake -S . -B $(BUILD_DIR)/debug -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug $(CHECKED)
	@echo "clang-format --dry-run on $(words $(SOURCES)) files"; \
	format_status=0; $(CLANG_FORMAT) --dry-run -Werror $(SOURCES) || format_status=$$?; \
	echo "clang-tidy on $(words $(TIDY_SOURCES)) files, $(LINT_JOBS) at a time"; \
	printf '%s\n' $(TIDY_SOURCES) | \
	  xargs -P $(LINT_JOBS) -n 4 $(CLANG_TIDY) -p $(BUILD_DIR)/debug --quiet 2>&1 | \
	  grep -v -E '^[0-9]+ warnings? generated\.$$'; tidy_status=$${PIPESTATUS[1]}; \
	[ $$format_status -eq 0 ] && [ $$tidy_status -eq 0 ]

format:
	$(CLANG_FORMAT) -i $(SOURCES)

# The optimised game alone, in $(BUILD_DIR)/release (`make release` makes the downloads).
game:
	cmake -S . -B $(BUILD_DIR)/release -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DNEBULANCE_TESTS=OFF
	cmake --build $(BUILD_DIR)/release --target nebulance

install: game
	cmake --install $(BUILD_DIR)/release --prefix $(PREFIX)

# The package's one time (of its files, its archive members and their compression headers): the
# environment's SOURCE_DATE_EPOCH, else the last commit's time, else, outside a git checkout, the
# date of the changelog's top entry. With it and a fixed umask for the folders' modes, the same
# commit gives the same package, byte for byte, wherever and whenever it is built.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null || \
  date -d "$$(sed -n 's/^ -- .*>  //p' doc/changelog | head -n 1)" +%s)

# A Debian package of the release build: $(BUILD_DIR)/release/nebulance_<version>_<arch>.deb.
# The manual page must pass mandoc's and groff's checks, the package lintian's errors and warnings.
package: game
	mandoc -T lint doc/nebulance.6
	@groff_findings=$$(groff -ww -z -man doc/nebulance.6 2>&1); \
	  [ -z "$$groff_findings" ] || { echo "$$groff_findings"; exit 1; }
	cd $(BUILD_DIR)/release && umask 022 && SOURCE_DATE_EPOCH=$(SOURCE_DATE_EPOCH) cpack -G DEB
	dpkg-deb -c $(BUILD_DIR)/release/nebulance_*.deb > $(BUILD_DIR)/release/package-contents.txt
	cat $(BUILD_DIR)/release/package-contents.txt
	grep -q ' ./usr/games/nebulance$$' $(BUILD_DIR)/release/package-contents.txt
	grep -q ' ./usr/share/man/man6/nebulance.6.gz$$' $(BUILD_DIR)/release/package-contents.txt
	lintian --allow-root --fail-on error,warning $(BUILD_DIR)/release/nebulance_*.deb

# The downloads of this version, in dist/ (tools/release.sh): the Debian package, the static Linux
# game and the Windows game with their documents, the site, the source of the last commit and
# SHA256SUMS. The site is built afresh in a folder of its own, which no test writes into.
RELEASE_SITE = $(BUILD_DIR)/release-site
release: package static windows
	$(MAKE) web WEB_DIR=$(RELEASE_SITE)
	tools/release.sh $(VERSION) $(SOURCE_DATE_EPOCH) $(BUILD_DIR)/release/nebulance_$(VERSION)_amd64.deb \
	  $(BUILD_DIR)/static/nebulance $(BUILD_DIR)/windows/nebulance.exe $(RELEASE_SITE)

# Checks the downloads in dist/ as a player meets them (tests/package/release_check.sh).
release-check: game
	cmake -S . -B $(BUILD_DIR)/debug -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug $(CHECKED)
	cmake --build $(BUILD_DIR)/debug --target nebulance_echoed_session
	ECHOED_SESSION=$(abspath $(BUILD_DIR))/debug/tests/nebulance_echoed_session $(WINE_ENV) \
	  tests/package/release_check.sh $(VERSION) $(BUILD_DIR)/release/nebulance

# Makes the release of the last commit in two fresh clones and fails unless every file of both
# dist/ folders is the same bytes, naming the first that differs (diffoscope, when installed,
# shows where).
reproducible:
	tests/package/same_bytes.sh $(BUILD_DIR)/same-bytes

# The browser's game: the core compiled with Emscripten, the page and the terminal in one static
# folder, $(BUILD_DIR)/web, made afresh each time: it is published as it stands, so
# web/tools/check_site.js then checks that it holds the page's files and nothing else. Debian's
# emscripten finds its node modules through NODE_PATH.
WEB_DIR = $(BUILD_DIR)/web
WEB_ENV = NODE_PATH=/usr/share/nodejs
WEB_PAGE = web/index.html web/manifest.webmanifest web/terminal_game.js web/line_discipline.js \
  web/terminal_fit.js web/game_log.js web/answer_keys.js web/game_console.js web/text_terminal.js \
  web/game_code.js
# Every file of the site as copied into $(WEB_DIR); web/tools/finish_site.js then moves all but
# index.html and the manifest into a folder named after their content, and draws the icons and
# writes sw.js, which caches them all, and shows the game's version on the page.
WEB_SITE_FILES = $(notdir $(WEB_PAGE)) nebulance.js nebulance.wasm

web:
	$(WEB_ENV) emcmake cmake -S . -B $(BUILD_DIR)/web-cmake -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release \
	  -DNEBULANCE_TESTS=OFF -DNEBULANCE_BENCH=OFF
	$(WEB_ENV) cmake --build $(BUILD_DIR)/web-cmake
	rm -rf $(WEB_DIR)
	mkdir -p $(WEB_DIR)
	cp $(WEB_PAGE) $(BUILD_DIR)/web-cmake/nebulance.js $(BUILD_DIR)/web-cmake/nebulance.wasm $(WEB_DIR)/
	node web/tools/finish_site.js $(WEB_DIR) --version=$(VERSION) $(WEB_SITE_FILES)
	node web/tools/check_site.js $(WEB_DIR)

# The site needs nothing from npm; its tests and benches do (puppeteer-core, axe-core,
# lighthouse). npm ci only when the pinned packages are missing or older than the lock file.
WEB_TOOLS = web/node_modules/.package-lock.json
$(WEB_TOOLS): web/package-lock.json
	cd web && npm ci --no-audit --no-fund
	touch $@

serve: web
	@echo "Nebulance is on http://localhost:8000 (Ctrl-C stops the server)"
	cd $(WEB_DIR) && python3 -m http.server 8000 --bind 127.0.0.1

# The line discipline's unit tests, then whole sessions typed into the page in Chromium, Firefox
# and WebKit and compared with the native game's output, echo included
# (tests/support/echoed_session.cpp). WebKit's browser opens a window, so an X server runs too.
# Every scripted session also plays under node in the browser's game built with Emscripten's
# assertions (nebulance_web_check), which trap on a wait that Asyncify was not told of.
XVFB = xvfb-run -a -s '-screen 0 1280x1024x24'
web-test: web $(WEB_TOOLS)
	$(WEB_ENV) cmake --build $(BUILD_DIR)/web-cmake --target nebulance_web_check
	cmake -S . -B $(BUILD_DIR)/debug -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug $(CHECKED)
	cmake --build $(BUILD_DIR)/debug --target nebulance_echoed_session
	ECHOED_SESSION=$(BUILD_DIR)/debug/tests/nebulance_echoed_session WEB_DIR=$(WEB_DIR) \
	  WEB_CHECK=$(BUILD_DIR)/web-cmake/nebulance_web_check.js \
	  WEB_TEST_OUTPUT=$(BUILD_DIR)/web-test $(XVFB) node --test web/tests/*.test.js

# Bytes the page loads, and the time to the start menu's prompt on a first and on a returning
# visit in Chromium, Firefox and WebKit; then Lighthouse's mobile and desktop audits in Chromium.
web-bench: web $(WEB_TOOLS)
	WEB_DIR=$(WEB_DIR) $(XVFB) node web/bench/page_budget.js
	WEB_DIR=$(WEB_DIR) node web/bench/lighthouse.js

# Where the start's time goes in Chromium, from its trace of first visits: unthrottled, then with
# the CPU 4× slower as Lighthouse's mobile audit has it (web/bench/start_trace.js; also
# web/bench/compare_starts.js, which times several builds of the site in turn).
web-trace: web $(WEB_TOOLS)
	WEB_DIR=$(WEB_DIR) node web/bench/start_trace.js
	WEB_DIR=$(WEB_DIR) node web/bench/start_trace.js --throttle=4

clean:
	rm -rf $(BUILD_DIR)

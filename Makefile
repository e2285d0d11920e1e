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
FUZZ_SECONDS ?= 60

.PHONY: all configure test format clean demo check-sanitize fuzz bench install package windows \
	test-windows

all: configure
	cmake --build $(BUILD) -j $(JOBS)

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

test: all
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite, the end-to-end runs included, against an ASan+UBSan+LSan build.
check-sanitize:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOOPCOST_WERROR=ON \
		-DLOOPCOST_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# libFuzzer with ASan+UBSan for FUZZ_SECONDS, seeded with the examples and the golden programs.
# Findings land in $(FUZZ_BUILD)/findings/ and fail the run.
fuzz:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DLOOPCOST_WERROR=ON -DLOOPCOST_FUZZ=ON -DLOOPCOST_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target loopcost_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/findings
	cp examples/*.txt $(FUZZ_BUILD)/corpus/
	for file in tests/golden/*/*; do \
		case $${file##*/} in stdin|stdout|stderr|status) ;; \
		*) cp "$$file" "$(FUZZ_BUILD)/corpus/$$(basename $$(dirname $$file))-$${file##*/}" ;; esac; \
	done
	$(FUZZ_BUILD)/loopcost_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
		-dict=tests/fuzz/loopcost.dict -artifact_prefix=$(FUZZ_BUILD)/findings/ \
		-print_final_stats=1 $(FUZZ_BUILD)/corpus

# End-to-end times (hyperfine) and peak memory on generated programs, next to `wc -w` on the
# same files, then the phases of a run. BASELINE=<git revision> also builds that revision in a
# scratch folder and times it in the same runs, interleaved: the ratio is the figure to quote.
bench: all
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
test-windows: all windows
	tests/windows/run-golden.sh $(BUILD) $(WINDOWS_BUILD)/loopcost.exe

format:
	clang-format -i $$(git ls-files '*.h' '*.cpp')

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) bench/out

# The examples, with the Big5 prompt and labels converted for a UTF-8 terminal.
demo: all
	@printf '%s\n' examples/*.txt | $(BUILD)/loopcost | iconv -f BIG5 -t UTF-8; echo

# One command per job; CMake does the real work in build/.
BUILD := build
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Release -DLOOPCOST_WERROR=ON
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all configure test format clean demo

all: configure
	cmake --build $(BUILD) -j $(JOBS)

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

test: all
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

format:
	clang-format -i $$(git ls-files '*.h' '*.cpp')

clean:
	rm -rf $(BUILD)

# The examples, with the Big5 prompt and labels converted for a UTF-8 terminal.
demo: all
	@printf '%s\n' examples/*.txt | $(BUILD)/loopcost | iconv -f BIG5 -t UTF-8; echo

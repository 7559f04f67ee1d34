# make test  - install what is missing, build, run the tests, then again under ASan+UBSan,
#             then build the programs as a release (-O3) to prove that it builds clean
# make demo  - build and play the sample disc in examples/
# make bench - build and run the benchmarks
# make package - the Debian package of the release build
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
RELEASE_BUILD ?= build-release
export QT_QPA_PLATFORM ?= offscreen

.PHONY: all deps build build-asan build-release test test-plain test-asan demo bench package clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOBRIN_WERROR=ON

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTOBRIN_SANITIZE=ON -DTOBRIN_BENCH=OFF \
	  -DTOBRIN_WERROR=ON

# A packager's build: -O3 brings warnings of its own. The tests already ran
# in the two builds above, so only the programs and libraries are built.
# Its prefix is the package's, where its programs look for their libraries.
$(RELEASE_BUILD)/CMakeCache.txt:
	cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DTOBRIN_WERROR=ON \
	  -DTOBRIN_TESTS=OFF -DTOBRIN_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr

build-release: deps $(RELEASE_BUILD)/CMakeCache.txt
	cmake --build $(RELEASE_BUILD) -j$(JOBS)

build-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j$(JOBS)

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS)

test: test-plain test-asan build-release

demo: build
	bash scripts/demo.sh $(BUILD)

bench: build
	bash scripts/bench.sh $(BUILD)

package: build-release
	cd $(RELEASE_BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD)

# The two commands of the README. Both install what is missing, then build from scratch
# if needed: demo only the programs and what they need, test everything.
# BUILD and BUILD_TYPE may be overridden: make test BUILD=build-asan SANITIZE=ON
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
SANITIZE ?= OFF
# CI builds with warnings as errors: make test WERROR=ON
WERROR ?= OFF
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 300

.PHONY: deps configure build programs test demo fuzz clean

CONFIGURE = cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DNBX_SANITIZE=$(SANITIZE) -DNBX_WERROR=$(WERROR)

deps:
	@bash scripts/install-deps.sh

configure: deps
	@$(CONFIGURE) -DNBX_BUILD_TESTS=ON >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The programs and their data files, without tests, benchmarks or fuzz targets.
programs:
	@bash scripts/install-deps.sh programs
	@$(CONFIGURE) -DNBX_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: programs
	@mkdir -p examples/sample/output
	@$(BUILD)/program/tamselc build examples/sample/sample.nxp
	@echo
	@echo "The sample e-book is examples/sample/output/garden. Open it with:"
	@echo "    examples/sample/output/garden"
	@echo "(its pages: $(BUILD)/program/tamselc inspect examples/sample/output/garden)"
	@if [ -f $(BUILD)/program/eview.exe.dat ]; then \
	    echo "Windows books: the Windows stubs are built; an output name ending in .exe makes one"; \
	    echo "(examples/sample/README.md: how to try one under Wine)."; \
	else \
	    echo "Windows books: not built here, as the MinGW-w64 cross compiler is missing"; \
	    echo "(apt-get install g++-mingw-w64-x86-64-posix, then make demo again)."; \
	fi

# Builds every fuzz/*Fuzzer.cpp with clang in its own folder and runs each for FUZZ_SECONDS
# (FUZZERS=... names some of them).
FUZZ_BUILD ?= build-fuzz
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNBX_FUZZ=ON -DNBX_BUILD_GUI=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=$(FUZZ_SECONDS) bash fuzz/run.sh $(FUZZERS)

clean:
	rm -rf $(BUILD)

# The two commands of the README. Both install what is missing, then build from scratch
# if needed. BUILD and BUILD_TYPE may be overridden: make test BUILD=build-asan SANITIZE=ON
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
SANITIZE ?= OFF
JOBS ?= $(shell nproc)

.PHONY: deps configure build test demo fuzz clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DNBX_SANITIZE=$(SANITIZE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	@$(BUILD)/program/tamselc --version

# Builds every fuzz/*Fuzzer.cpp with clang in its own folder and runs each for FUZZ_SECONDS.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNBX_FUZZ=ON -DNBX_BUILD_GUI=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for f in $(FUZZ_BUILD)/fuzz/*Fuzzer; do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$(basename $$f); \
		echo "$$f"; $$f -max_total_time=$(FUZZ_SECONDS) $(FUZZ_BUILD)/corpus/$$(basename $$f) || exit 1; \
	done

clean:
	rm -rf $(BUILD)

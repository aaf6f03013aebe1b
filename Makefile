# The two commands of the README. Both install what is missing, then build from scratch
# if needed. BUILD and BUILD_TYPE may be overridden: make test BUILD=build-asan SANITIZE=ON
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
SANITIZE ?= OFF
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 300

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
	@$(BUILD)/program/tamselc show examples/sample/sample.nxp

fuzz:
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNBX_FUZZ=ON \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target ProjectFileFuzzer
	@mkdir -p fuzz/corpus
	@build-fuzz/fuzz/ProjectFileFuzzer -dict=fuzz/project_file.dict \
		-max_total_time=$(FUZZ_SECONDS) fuzz/corpus examples/sample

clean:
	rm -rf $(BUILD)

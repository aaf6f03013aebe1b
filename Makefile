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
	@$(BUILD)/program/tamselc show examples/sample/sample.nxp

clean:
	rm -rf $(BUILD)

# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= 2

.PHONY: run test build deps bench clean

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./nebulor

test: build
	bash scripts/check-style.sh
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	bash scripts/run-bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)

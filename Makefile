# The two commands of the README: `make run` and `make test`; and the
# installed game: `make install` (PREFIX, DESTDIR) and `make package`.
BUILD ?= build
JOBS ?= 2
PREFIX ?= /usr/local

.PHONY: run test build deps bench install package clean

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

# The game, its menu entry, icons, metainfo and manual page under PREFIX
# (inside DESTDIR when given).
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package $(BUILD)/nebulor_VERSION-RELEASE_amd64.deb.
package: build
	cmake --build $(BUILD) --target package

bench: build
	bash scripts/run-bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)

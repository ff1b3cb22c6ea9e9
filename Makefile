# Entry points for a fresh Debian 12 machine:
#   make demo   repairs and saves the project's own damaged sample workbook, then prints
#               cells of the repaired copy
#   make check  builds and runs every test (normal build)
#   make check-sanitize  the same under AddressSanitizer + UndefinedBehaviorSanitizer
#   make screenshots  a picture of every screen of the desktop program, taken on a
#               virtual X server (build/screenshots/)
#   make package  the Debian package build/mendwell_<version>_amd64.deb, after the
#               desktop entry and the metainfo file pass their validators

JOBS ?= $(shell nproc)
BUILD ?= build
BUILD_ASAN ?= build-asan
SAMPLE_DIR ?= $(BUILD)/sample
DEMO_DIR ?= $(BUILD)/demo
# Our builds stop on any warning; WERROR=OFF only shows them, as a plain
# cmake configure does.
WERROR ?= ON

.PHONY: deps build demo check check-sanitize screenshots package clean

deps:
	@tools/ensure-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMENDWELL_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	@mkdir -p $(SAMPLE_DIR)
	$(BUILD)/tools/samples/make-damaged-sample $(SAMPLE_DIR)/damaged.xls
	$(BUILD)/cli/mendwell-cli info $(SAMPLE_DIR)/damaged.xls
	@mkdir -p $(DEMO_DIR)
	$(BUILD)/cli/mendwell-cli repair $(SAMPLE_DIR)/damaged.xls -o $(DEMO_DIR)/sample-repaired.xls
	@echo "The repaired copy, read back: the cells of its sheet Sales"
	$(BUILD)/cli/mendwell-cli dump --sheet Sales $(DEMO_DIR)/sample-repaired.xls

check: build
	ctest --test-dir $(BUILD) -j $(JOBS) --output-on-failure

check-sanitize: deps
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DMENDWELL_SANITIZE=ON -DMENDWELL_WERROR=$(WERROR)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(BUILD_ASAN) -j $(JOBS) --output-on-failure

screenshots: build
	tools/screenshots/take-screenshots.sh $(BUILD)

package: build
	desktop-file-validate app/desktop/mendwell.desktop
	appstream-util validate-relax --nonet app/desktop/mendwell.metainfo.xml
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)

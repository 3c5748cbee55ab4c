# The two commands for a newcomer:
#   make run   installs what is missing, builds, and opens MORVA on the demo program folder
#   make test  installs what is missing, builds, and runs every test
JOBS ?= $(shell nproc)
BUILD ?= build

.PHONY: run test build package screenshots deps sanitize tsan fuzz fuzz-short fuzz-build format-check clean

deps:
	@./tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVA_WERROR=$(if $(CI),ON,OFF)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./tools/run-demo.sh $(BUILD)/bin

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package (build/morva_<version>_<arch>.deb): the program, the
# bridge library, the simulated board and recorder, the desktop entry.
package: build
	cd $(BUILD) && cpack -G DEB

# The screenshots the README shows, as the tests saved them, copied into
# docs/screenshots (the README's links are checked by a test).
README_SHOTS = road_main_en road_main_ja road_sensitivity_en road_sensitivity_ja \
  road_linearity_en road_linearity_ja dialog_data_save_en dialog_data_save_ja shell_input_monitor \
  dialog_option_en dialog_option_ja dialog_master_tape_en dialog_master_tape_ja \
  dialog_version_en dialog_version_ja
screenshots: test
	mkdir -p docs/screenshots
	for s in $(README_SHOTS); do cp $(BUILD)/screenshots/$$s.png docs/screenshots/; done

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DMORVA_SANITIZE=ON -DMORVA_WERROR=ON -DMORVA_BENCHMARKS=OFF
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The tests labelled "threads" under ThreadSanitizer (Qt left out: not built for it).
tsan: deps
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DMORVA_TSAN=ON -DMORVA_BUILD_QT=OFF -DMORVA_BENCHMARKS=OFF
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS) -L threads

# Every reader of outside input under libFuzzer with ASan and UBSan (clang).
# `make fuzz` runs each target FUZZ_SECONDS (default 600); `make fuzz-short`
# is CI's stage: a fixed number of executions per target, each target cut
# off after 15 s so the whole stage stays under 3 minutes.
FUZZ_SECONDS ?= 600
FUZZ_RUNS ?= 20000
fuzz-build: deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DMORVA_FUZZ=ON -DMORVA_BUILD_QT=OFF -DMORVA_BENCHMARKS=OFF
	cmake --build build-fuzz -j $(JOBS) --target morva_fuzzers

fuzz: fuzz-build
	./tools/run-fuzzers.sh build-fuzz seconds $(FUZZ_SECONDS)

fuzz-short: fuzz-build
	./tools/run-fuzzers.sh build-fuzz runs $(FUZZ_RUNS)

format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build build-asan build-tsan build-fuzz

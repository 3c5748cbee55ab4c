# The two commands for a newcomer:
#   make run   installs what is missing, builds, and opens MORVA on the demo program folder
#   make test  installs what is missing, builds, and runs every test
JOBS ?= $(shell nproc)
BUILD ?= build

.PHONY: run test build deps sanitize tsan format-check clean

deps:
	@./tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVA_WERROR=$(if $(CI),ON,OFF)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./tools/run-demo.sh $(BUILD)/bin

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

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

format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build build-asan build-tsan

#pragma once
// Times and rates are measured on the optimised build. The sanitizer builds
// run the same code several times slower (and Qt at full speed beside it),
// so an assertion on a time or a rate is skipped there; the rest of the test
// still runs before the skip.

#include <gtest/gtest.h>

#ifdef MORVA_SANITIZED_BUILD
#define MORVA_SKIP_TIMING_IN_SANITIZED_BUILD() GTEST_SKIP() << "times are measured on the optimised build"
#else
#define MORVA_SKIP_TIMING_IN_SANITIZED_BUILD() static_cast<void>(0)
#endif

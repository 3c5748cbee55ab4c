#pragma once
// Extra exports of the simulated board driver (not of a real driver): what
// is open and alive right now, so that callers' tests can check that nothing
// leaked.

#include <cstdint>

extern "C" {

uint32_t SimDaqOpenDeviceCount();        // devices open
uint32_t SimDaqLiveRequestCount();       // requests submitted and not released
uint32_t SimDaqAllocatedRequestCount();  // request memory allocated and not freed
// How often a close or a free had to release a request or free memory that
// its caller had left behind (only grows).
uint32_t SimDaqForcedCleanupCount();

}  // extern "C"

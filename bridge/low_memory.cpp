#include "bridge/low_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <iterator>
#include <map>
#include <mutex>
#include <unordered_map>

namespace morva {

namespace {

constexpr uintptr_t kFourGiB = uintptr_t{1} << 32;
constexpr size_t kAlignment = 16;
constexpr size_t kChunkSize = size_t{1} << 20;  // mapped at a time, unless a block needs more
// Where the search with address hints starts and how far it steps.
constexpr uintptr_t kFirstHint = uintptr_t{1} << 28;
constexpr uintptr_t kHintStep = uintptr_t{1} << 26;

size_t roundUp(size_t value, size_t step) {
    return (value + step - 1) / step * step;
}

bool whollyLow(const void* start, size_t bytes) {
    const auto begin = reinterpret_cast<uintptr_t>(start);
    return begin < kFourGiB && bytes <= kFourGiB - begin;
}

// Maps `bytes` (a multiple of the page size) of fresh memory below 4 GiB.
void* mapLow(size_t bytes) {
    if (bytes >= kFourGiB) return nullptr;
    constexpr int prot = PROT_READ | PROT_WRITE;
    constexpr int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#if defined(MAP_32BIT)
    // x86-64 Linux: the kernel places the mapping in the first 2 GiB.
    void* p = ::mmap(nullptr, bytes, prot, flags | MAP_32BIT, -1, 0);
    if (p != MAP_FAILED) {
        if (whollyLow(p, bytes)) return p;
        ::munmap(p, bytes);
    }
#endif
    // Elsewhere (or when the first 2 GiB are full): explicit hints below 4 GiB.
#if defined(MAP_FIXED_NOREPLACE)
    constexpr int hintFlags = flags | MAP_FIXED_NOREPLACE;
#else
    constexpr int hintFlags = flags;
#endif
    for (uintptr_t hint = kFirstHint; hint + bytes <= kFourGiB; hint += kHintStep) {
        void* q = ::mmap(reinterpret_cast<void*>(hint), bytes, prot, hintFlags, -1, 0);
        if (q == MAP_FAILED) continue;
        // A kernel that does not know MAP_FIXED_NOREPLACE treats it as a hint
        // and may place the mapping elsewhere: keep it only if it is low.
        if (whollyLow(q, bytes)) return q;
        ::munmap(q, bytes);
    }
    return nullptr;
}

// The arena: free blocks by address (so neighbours coalesce), live blocks by
// address with their size. The bookkeeping lives on the ordinary heap, out of
// reach of a caller that writes past the end of a block.
class Arena {
  public:
    void* allocate(size_t bytes) {
        const size_t size = roundUp(bytes == 0 ? 1 : bytes, kAlignment);
        if (size < bytes) return nullptr;  // overflow of the rounding
        std::lock_guard lock(mutex_);
        void* block = takeFree(size);
        if (block == nullptr) {
            const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
            const size_t chunk = roundUp(size > kChunkSize ? size : kChunkSize, page);
            void* mapped = mapLow(chunk);
            if (mapped == nullptr) return nullptr;
            release(reinterpret_cast<uintptr_t>(mapped), chunk);
            block = takeFree(size);
        }
        if (block != nullptr) {
            used_.emplace(reinterpret_cast<uintptr_t>(block), size);
            bytesInUse_ += size;
            std::memset(block, 0, size);
        }
        return block;
    }

    bool free(void* block) {
        if (block == nullptr) return true;
        std::lock_guard lock(mutex_);
        const auto it = used_.find(reinterpret_cast<uintptr_t>(block));
        if (it == used_.end()) return false;
        const uintptr_t start = it->first;
        const size_t size = it->second;
        used_.erase(it);
        bytesInUse_ -= size;
        release(start, size);
        return true;
    }

    size_t blocksInUse() {
        std::lock_guard lock(mutex_);
        return used_.size();
    }
    size_t bytesInUse() {
        std::lock_guard lock(mutex_);
        return bytesInUse_;
    }

  private:
    // First fit; the rest of the free block stays free.
    void* takeFree(size_t size) {
        for (auto it = free_.begin(); it != free_.end(); ++it) {
            if (it->second < size) continue;
            const uintptr_t start = it->first;
            const size_t rest = it->second - size;
            free_.erase(it);
            if (rest > 0) free_.emplace(start + size, rest);
            return reinterpret_cast<void*>(start);
        }
        return nullptr;
    }

    // Adds a free range and merges it with free neighbours that touch it.
    void release(uintptr_t start, size_t size) {
        auto next = free_.lower_bound(start);
        if (next != free_.end() && start + size == next->first) {
            size += next->second;
            next = free_.erase(next);
        }
        if (next != free_.begin()) {
            const auto prev = std::prev(next);
            if (prev->first + prev->second == start) {
                prev->second += size;
                return;
            }
        }
        free_.emplace(start, size);
    }

    std::mutex mutex_;
    std::map<uintptr_t, size_t> free_;
    std::unordered_map<uintptr_t, size_t> used_;
    size_t bytesInUse_ = 0;
};

// Never destroyed: blocks may still be freed while other static objects are
// torn down at the end of the process (a library unloading frees its records).
Arena& arena() {
    static Arena* instance = new Arena();
    return *instance;
}

}  // namespace

void* lowMemoryAllocate(size_t bytes) {
    return arena().allocate(bytes);
}

bool lowMemoryFree(void* block) {
    return arena().free(block);
}

size_t lowMemoryBlocksInUse() {
    return arena().blocksInUse();
}

size_t lowMemoryBytesInUse() {
    return arena().bytesInUse();
}

}  // namespace morva

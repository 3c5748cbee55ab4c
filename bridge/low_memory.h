#pragma once
// Memory below 4 GiB for everything a 32-bit record field points to: the
// driver's request records, descriptor lists and buffers, and the caller's
// channel and gain lists. The record layouts keep 32-bit address fields, so
// on a 64-bit platform such memory must come from the low 4 GiB of the
// address space; ordinary heap memory usually does not.
//
// One process-wide arena, thread-safe; see bridge/README.md for its design.

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace morva {

// A zero-filled block of at least `bytes` bytes (a zero size counts as one
// byte), aligned to 16 bytes, lying wholly below 4 GiB. nullptr when no such
// memory can be mapped.
void* lowMemoryAllocate(size_t bytes);

// Returns a block to the arena. nullptr is ignored; a pointer that is not the
// start of a live block is ignored too and reported by a false result.
bool lowMemoryFree(void* block);

// Live blocks and their bytes (after rounding), for leak checks in tests.
size_t lowMemoryBlocksInUse();
size_t lowMemoryBytesInUse();

// A fixed-size array of trivially copyable elements in low memory, released
// when the array goes out of scope.
template <typename T>
class LowMemoryArray {
    static_assert(std::is_trivially_copyable_v<T>, "low memory holds plain data only");

  public:
    explicit LowMemoryArray(size_t count) : count_(count) {
        if (count > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
        data_ = static_cast<T*>(lowMemoryAllocate(count * sizeof(T)));
        if (data_ == nullptr) throw std::bad_alloc();
    }
    ~LowMemoryArray() { lowMemoryFree(data_); }
    LowMemoryArray(const LowMemoryArray&) = delete;
    LowMemoryArray& operator=(const LowMemoryArray&) = delete;
    LowMemoryArray(LowMemoryArray&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), count_(std::exchange(other.count_, 0)) {}
    LowMemoryArray& operator=(LowMemoryArray&& other) noexcept {
        if (this != &other) {
            lowMemoryFree(data_);
            data_ = std::exchange(other.data_, nullptr);
            count_ = std::exchange(other.count_, 0);
        }
        return *this;
    }

    size_t size() const { return count_; }
    T* data() { return data_; }
    const T* data() const { return data_; }
    // The 32-bit address a record field takes.
    uint32_t address() const { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(data_)); }

    T& at(size_t index) {
        if (index >= count_) throw std::out_of_range("LowMemoryArray index");
        return data_[index];
    }
    const T& at(size_t index) const {
        if (index >= count_) throw std::out_of_range("LowMemoryArray index");
        return data_[index];
    }
    T& operator[](size_t index) { return at(index); }
    const T& operator[](size_t index) const { return at(index); }

  private:
    T* data_ = nullptr;
    size_t count_ = 0;
};

}  // namespace morva

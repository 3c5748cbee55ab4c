#include "bridge/low_memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "bridge/daq_records.h"

namespace morva {
namespace {

constexpr uintptr_t kFourGiB = uintptr_t{1} << 32;

bool whollyLow(const void* p, size_t bytes) {
    const auto start = reinterpret_cast<uintptr_t>(p);
    return start + bytes <= kFourGiB;
}

TEST(LowMemory, BlocksLieBelowFourGiBAlignedAndZeroed) {
    std::vector<void*> blocks;
    for (size_t bytes : {size_t{0}, size_t{1}, size_t{20}, size_t{120}, size_t{4096}, size_t{3} << 20}) {
        void* p = lowMemoryAllocate(bytes);
        ASSERT_NE(p, nullptr) << bytes;
        EXPECT_TRUE(whollyLow(p, bytes)) << bytes;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 16, 0u);
        const auto* bytesOf = static_cast<const uint8_t*>(p);
        for (size_t i = 0; i < bytes; ++i)
            ASSERT_EQ(bytesOf[i], 0) << "byte " << i << " of " << bytes;
        std::memset(p, 0xA5, bytes);
        blocks.push_back(p);
    }
    for (void* p : blocks)
        EXPECT_TRUE(lowMemoryFree(p));
}

TEST(LowMemory, BlocksDoNotOverlapAndComeBackZeroedAfterReuse) {
    const size_t before = lowMemoryBlocksInUse();
    std::vector<uint8_t*> blocks;
    for (int i = 0; i < 64; ++i) {
        auto* p = static_cast<uint8_t*>(lowMemoryAllocate(100));
        ASSERT_NE(p, nullptr);
        std::memset(p, i + 1, 100);
        blocks.push_back(p);
    }
    for (int i = 0; i < 64; ++i) {
        for (int k = 0; k < 100; ++k)
            ASSERT_EQ(blocks[i][k], i + 1) << "block " << i << " was overwritten";
    }
    EXPECT_EQ(lowMemoryBlocksInUse(), before + 64);
    for (size_t i = 0; i < blocks.size(); i += 2)
        EXPECT_TRUE(lowMemoryFree(blocks[i]));
    // The freed room is handed out again, cleared.
    auto* again = static_cast<uint8_t*>(lowMemoryAllocate(100));
    ASSERT_NE(again, nullptr);
    for (int k = 0; k < 100; ++k)
        ASSERT_EQ(again[k], 0);
    EXPECT_TRUE(lowMemoryFree(again));
    for (size_t i = 1; i < blocks.size(); i += 2)
        EXPECT_TRUE(lowMemoryFree(blocks[i]));
    EXPECT_EQ(lowMemoryBlocksInUse(), before);
}

TEST(LowMemory, FreedNeighboursMergeIntoOneLargerBlock) {
    // Four neighbours of 64 KiB freed out of order leave room for 256 KiB
    // in the same place.
    std::vector<void*> parts;
    for (int i = 0; i < 4; ++i)
        parts.push_back(lowMemoryAllocate(64 * 1024));
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(static_cast<uint8_t*>(parts[i]) + 64 * 1024, parts[i + 1]) << "not laid out side by side";
    }
    for (int i : {2, 0, 3, 1})
        EXPECT_TRUE(lowMemoryFree(parts[i]));
    void* whole = lowMemoryAllocate(4 * 64 * 1024);
    EXPECT_EQ(whole, parts[0]);
    EXPECT_TRUE(lowMemoryFree(whole));
}

TEST(LowMemory, FreeOfAForeignOrFreedPointerIsRefused) {
    int onTheStack = 0;
    EXPECT_FALSE(lowMemoryFree(&onTheStack));
    void* p = lowMemoryAllocate(32);
    EXPECT_FALSE(lowMemoryFree(static_cast<uint8_t*>(p) + 16));
    EXPECT_TRUE(lowMemoryFree(p));
    EXPECT_FALSE(lowMemoryFree(p));
    EXPECT_TRUE(lowMemoryFree(nullptr));
}

TEST(LowMemory, AnImpossibleSizeGivesNothing) {
    EXPECT_EQ(lowMemoryAllocate(SIZE_MAX), nullptr);
    EXPECT_EQ(lowMemoryAllocate(size_t{5} << 30), nullptr);
}

TEST(LowMemory, ThreadsAllocateAndFreeWithoutSharingABlock) {
    const size_t before = lowMemoryBlocksInUse();
    std::vector<std::thread> threads;
    std::vector<std::vector<void*>> kept(4);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &kept] {
            for (int i = 0; i < 500; ++i) {
                auto* p = static_cast<uint8_t*>(lowMemoryAllocate(48));
                if (p == nullptr) return;
                std::memset(p, t + 1, 48);
                if (i % 5 == 0) {
                    kept[t].push_back(p);
                } else {
                    lowMemoryFree(p);
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    std::set<void*> distinct;
    for (int t = 0; t < 4; ++t) {
        ASSERT_EQ(kept[t].size(), 100u);
        for (void* p : kept[t]) {
            EXPECT_TRUE(distinct.insert(p).second);
            EXPECT_EQ(static_cast<uint8_t*>(p)[47], t + 1);
        }
    }
    for (auto& list : kept) {
        for (void* p : list)
            lowMemoryFree(p);
    }
    EXPECT_EQ(lowMemoryBlocksInUse(), before);
}

TEST(LowMemoryArray, GivesItsAddressAndChecksItsBounds) {
    LowMemoryArray<uint16_t> channels(4);
    for (uint16_t i = 0; i < 4; ++i)
        channels[i] = i;
    EXPECT_EQ(channels.size(), 4u);
    EXPECT_EQ(daqPointer<uint16_t>(channels.address()), channels.data());
    EXPECT_EQ(daqLowAddress(channels.data()), channels.address());
    EXPECT_THROW(channels.at(4), std::out_of_range);
    LowMemoryArray<uint16_t> moved = std::move(channels);
    EXPECT_EQ(moved[3], 3);
    EXPECT_EQ(channels.size(), 0u);
}

TEST(LowAddress, IsZeroAtAndAboveFourGiBAndNeverTruncated) {
    EXPECT_EQ(daqLowAddress(reinterpret_cast<void*>(uintptr_t{0xFFFFFFFF})), 0xFFFFFFFFu);
    EXPECT_EQ(daqLowAddress(reinterpret_cast<void*>(kFourGiB)), 0u);
    EXPECT_EQ(daqLowAddress(reinterpret_cast<void*>(kFourGiB + 0x1234)), 0u);
    int onTheStack = 0;  // the stack of a 64-bit process lies far above 4 GiB
    EXPECT_EQ(daqLowAddress(&onTheStack), 0u);
    EXPECT_EQ(daqPointer<int>(0), nullptr);
}

}  // namespace
}  // namespace morva

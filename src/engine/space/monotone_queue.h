#pragma once
// A priority queue for searches whose keys never fall below the last key taken, as A* with a consistent
// bound gives them: a radix heap over the bits of non-negative doubles (their bits keep their order). A key
// a rounding error below the last one taken counts as equal to it.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace qelvar {

class MonotoneQueue {
public:
    void clear() {
        buckets_[0].clear();
        for (std::uint64_t used = used_; used != 0; used &= used - 1) buckets_[firstUsed(used)].clear();
        used_ = 0;
        last_ = 0;
        size_ = 0;
    }
    bool empty() const { return size_ == 0; }

    void push(double key, int value) {
        const std::uint64_t bits = bitsOf(key);
        put(bits, value);
        ++size_;
    }

    // A value of the least key; the queue must not be empty.
    int pop() {
        if (buckets_[0].empty()) {
            const std::size_t first = firstUsed(used_);
            auto& bucket = buckets_[first];
            used_ &= used_ - 1;
            std::uint64_t least = bucket.front().first;
            for (const auto& entry : bucket) least = std::min(least, entry.first);
            last_ = least;
            for (const auto& entry : bucket) put(entry.first, entry.second);
            bucket.clear();
        }
        const int value = buckets_[0].back().second;
        buckets_[0].pop_back();
        --size_;
        return value;
    }

private:
    // Bucket i (1..64) is used when bit i - 1 is set.
    static std::size_t firstUsed(std::uint64_t used) { return static_cast<std::size_t>(std::countr_zero(used)) + 1; }
    void put(std::uint64_t bits, int value) {
        const std::size_t bucket = bucketOf(bits);
        buckets_[bucket].emplace_back(bits, value);
        if (bucket > 0) used_ |= std::uint64_t{1} << (bucket - 1);
    }
    static std::uint64_t bitsOf(double key) {
        std::uint64_t bits = 0;
        if (key > 0) std::memcpy(&bits, &key, sizeof bits);
        return bits;
    }
    std::size_t bucketOf(std::uint64_t bits) const {
        return bits <= last_ ? 0 : static_cast<std::size_t>(64 - std::countl_zero(bits ^ last_));
    }

    std::array<std::vector<std::pair<std::uint64_t, int>>, 65> buckets_;
    std::uint64_t used_ = 0;
    std::uint64_t last_ = 0;
    std::size_t size_ = 0;
};

}  // namespace qelvar

#include "format/ReferencePacker.h"

#include <algorithm>
#include <cstdint>
#include <list>
#include <vector>

namespace nbx::test {

namespace {

class Bits {
public:
    void Put(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            if (used_ % 8 == 0) {
                out_.push_back(0);
            }
            if ((value >> i) & 1) {
                out_.back() = static_cast<char>(out_.back() | (1 << (used_ % 8)));
            }
            ++used_;
        }
    }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
    long used_ = 0;
};

}  // namespace

std::string ReferencePack(std::string_view input) {
    const long kBlock = 1024, kRing = 8192;
    std::vector<unsigned char> ring(kRing, 0);
    std::vector<std::list<long>> chains(1024);  // newest first
    std::vector<bool> slotUsed(kRing / kBlock, false);
    Bits bits;
    auto at = [&](long pos) { return ring[static_cast<std::size_t>(pos % kRing)]; };
    auto hash = [&](long pos) {
        return ((at(pos) & 3) << 8) ^ ((at(pos + 1) & 0x3F) << 4) ^ at(pos + 2);
    };

    const long size = static_cast<long>(input.size());
    for (long start = 0; start < size; start += kBlock) {
        const long length = std::min(kBlock, size - start);
        const long slot = (start % kRing) / kBlock;
        if (slotUsed[static_cast<std::size_t>(slot)]) {
            for (auto& chain : chains) {
                chain.remove_if([&](long p) { return (p % kRing) / kBlock == slot; });
            }
        }
        slotUsed[static_cast<std::size_t>(slot)] = true;
        for (long i = 0; i < length; ++i) {
            ring[static_cast<std::size_t>((start + i) % kRing)] =
                static_cast<unsigned char>(input[static_cast<std::size_t>(start + i)]);
        }
        for (long i = start; i + 2 < start + length; ++i) {
            chains[static_cast<std::size_t>(hash(i))].push_front(i);
        }

        long i = start;
        while (i < start + length) {
            const long left = start + length - i;
            if (left < 3) {
                bits.Put(at(i) << 1, 9);
                ++i;
                continue;
            }
            long best = 0, bestPos = -1;
            int examined = 0;
            for (long c : chains[static_cast<std::size_t>(hash(i))]) {
                if (c >= i) {
                    continue;  // later members of this block are not candidates
                }
                if (examined == 75) {
                    break;
                }
                ++examined;
                long n = 0;
                while (n < 17 && at(c + n) == at(i + n)) {
                    ++n;
                }
                if (n > best) {
                    best = n;
                    bestPos = c;
                    if (n == 17) {
                        break;
                    }
                }
            }
            best = std::min(best, left);
            if (best >= 3) {
                const long distance = ((i % kRing) - (bestPos % kRing) + kRing) % kRing;
                bits.Put(1, 1);
                bits.Put(static_cast<std::uint32_t>(best - 3), 4);
                bits.Put(static_cast<std::uint32_t>(distance), 13);
                i += best;
            } else {
                bits.Put(at(i) << 1, 9);
                ++i;
            }
        }
    }
    bits.Put(1, 1);
    bits.Put(15, 4);
    bits.Put(0, 13);
    return bits.Take();
}

}  // namespace nbx::test

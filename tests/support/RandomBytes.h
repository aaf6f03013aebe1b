#pragma once
// Bytes for tests that need data with no pattern: the same seed gives the same bytes.

#include <cstddef>
#include <random>
#include <string>

namespace nbx::test {

// n bytes drawn from the first `alphabet` byte values.
inline std::string RandomBytes(std::size_t n, unsigned seed, unsigned alphabet = 256) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s) {
        c = static_cast<char>(rng() % alphabet);
    }
    return s;
}

}  // namespace nbx::test

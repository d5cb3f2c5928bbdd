#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Damages sample inputs the way files get damaged or hand-edited: flipped
// bits, inserted and deleted bytes, cuts, splices of two samples, long
// lines, huge numbers, byte-order marks, lone Shift-JIS lead bytes, 0x5C
// trail bytes, NULs and CR-only line ends.
class Mutator
{
public:
    explicit Mutator(uint32_t seed) : m_state(seed ? seed : 1) {}

    uint32_t Next();
    uint32_t Below(uint32_t n) { return n ? Next() % n : 0; }

    // One to four damages of a sample, another sample given for splices.
    std::string Mutate(const std::string& sample, const std::string& other);

private:
    void Damage(std::string& bytes, const std::string& other);

    uint32_t m_state;
};

#include "Mutator.h"

namespace {

const char* const kTokens[] = {
    "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", "\x82", "\x83\x5C", "\x81\x5C", "\x95\x5C", "\xFF", "\x00", "\r", "\n",
    "\r\n", "\"", "\"\"", ",", "\t", "=", "//", "\\n", "\\", "-", "9223372036854775808", "-9223372036854775809",
    "99999999999999999999999", "1e308", "-0", "0x1F", "NaN", "\x1A", "\xE2\xBF\xBF", "%s%n", "..\\..\\",
};

} // namespace

uint32_t Mutator::Next()
{
    // xorshift32: reproducible from the seed alone.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

std::string Mutator::Mutate(const std::string& sample, const std::string& other)
{
    std::string bytes = sample;
    const uint32_t damages = 1 + Below(4);
    for (uint32_t i = 0; i < damages; ++i)
        Damage(bytes, other);
    return bytes;
}

void Mutator::Damage(std::string& bytes, const std::string& other)
{
    const size_t size = bytes.size();
    const size_t at = size ? Below(static_cast<uint32_t>(size + 1)) : 0;
    switch (Below(10)) {
    case 0:  // flip a bit
        if (size)
            bytes[at % size] = static_cast<char>(bytes[at % size] ^ (1 << Below(8)));
        break;
    case 1:  // insert random bytes
        for (uint32_t n = 1 + Below(8); n > 0; --n)
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), static_cast<char>(Next()));
        break;
    case 2:  // delete a run
        if (size)
            bytes.erase(at % size, 1 + Below(16));
        break;
    case 3:  // cut the end off
        bytes.resize(at);
        break;
    case 4:  // splice another sample in
        if (!other.empty()) {
            const size_t from = Below(static_cast<uint32_t>(other.size()));
            bytes.insert(at, other.substr(from, 1 + Below(static_cast<uint32_t>(other.size() - from))));
        }
        break;
    case 5:  // a long line
        bytes.insert(at, std::string(200 + Below(5000), static_cast<char>('A' + Below(26))));
        break;
    case 6:  // a token that readers trip over
        bytes.insert(at, kTokens[Below(sizeof kTokens / sizeof kTokens[0])]);
        break;
    case 7:  // a digit run made huge
        bytes.insert(at, std::string(10 + Below(30), static_cast<char>('0' + Below(10))));
        break;
    case 8:  // CR-only or LF-only line ends
        for (char& c : bytes)
            if (c == '\n')
                c = Below(2) ? '\r' : '\n';
        break;
    default:  // duplicate a run
        if (size) {
            const size_t from = at % size;
            bytes.insert(from, bytes.substr(from, 1 + Below(64)));
        }
        break;
    }
}

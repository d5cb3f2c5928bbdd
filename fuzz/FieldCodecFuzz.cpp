// The field codec on random raw bytes of random fields: no read or write
// outside the field (the field ends at a page that may not be touched), the
// shown text settles after one round trip, and numbers that are not lossy
// by design come back as the same bytes.
#include <cstring>

#include "EcrGlobals.h"
#include "FieldCodec.h"
#include "FuzzDriver.h"

// No caption manager: register text goes through the ANSI code page.
CCaptionManagerBase** g_ppCaptionMgr = nullptr;
S_ECR_SETTING* g_pEcrSetting = nullptr;
int g_nShowListPos = 0;

namespace {

const DWORD kTypes[] = {FIELD_TEXT, FIELD_U8, FIELD_U16, FIELD_U32, FIELD_AMOUNT, FIELD_S64, FIELD_S8, FIELD_S16, FIELD_S32};

// Two pages: the field's bytes end where the second, untouchable page begins.
class GuardedField
{
public:
    GuardedField()
    {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        m_page = info.dwPageSize;
        m_base = static_cast<BYTE*>(::VirtualAlloc(nullptr, 2 * m_page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old;
        ::VirtualProtect(m_base + m_page, m_page, PAGE_NOACCESS, &old);
    }
    ~GuardedField() { ::VirtualFree(m_base, 0, MEM_RELEASE); }
    GuardedField(const GuardedField&) = delete;
    GuardedField& operator=(const GuardedField&) = delete;

    // The field of `size` bytes, with guard bytes before it.
    BYTE* Place(const std::string& bytes, int size)
    {
        std::memset(m_base, 0xCC, m_page);
        BYTE* field = m_base + m_page - size;
        for (int i = 0; i < size; ++i)
            field[i] = static_cast<BYTE>(i < static_cast<int>(bytes.size()) ? bytes[static_cast<size_t>(i)] : 0);
        return field;
    }
    bool GuardIntact(int size) const
    {
        for (DWORD i = 0; i < m_page - static_cast<DWORD>(size); ++i)
            if (m_base[i] != 0xCC)
                return false;
        return true;
    }

private:
    BYTE* m_base;
    DWORD m_page;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> seeds;
    for (int t = 0; t < 9; ++t)
        for (const char* raw : {"\x00\x00\x00\x00\x00\x00\x00\x00", "\x99\x99\x99\x99\x99\x99\x99\x99",
                                "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", "\x12\x34\x56\x78\x9A\xBC\xDE\xF0",
                                "\x82\xA0\x83\x80\x82\x9F\x41\x5C"}) {
            std::string seed(4, '\0');
            seed[0] = static_cast<char>(t);
            seed[1] = static_cast<char>(t * 3);
            seed[2] = static_cast<char>(8);
            seed += std::string(raw, 8);
            seeds.push_back(seed);
        }
    GuardedField source, target;
    return RunFuzzDriver(argc, argv, "field_codec", seeds, [&](const std::string& input) {
        if (input.size() < 4)
            return;
        const BYTE selector = static_cast<BYTE>(input[0]);
        const BYTE flags = static_cast<BYTE>(input[1]);
        S_ECR_FIELD field = {};
        field.Flags = kTypes[selector % 9] | (flags & 1 ? FIELD_BCD : 0) | (flags & 2 ? FIELD_ZERO_PAD : 0)
                      | (flags & 4 ? FIELD_PLAIN_TEXT : 0);
        field.Width = static_cast<signed char>(input[2]);
        const int size = FieldByteLength(field);
        const std::string raw = input.substr(4);

        CString shown, exact;
        const BYTE* bytes = source.Place(raw, size);
        FormatField(&field, bytes, shown);
        FormatFieldExact(&field, bytes, exact);

        BYTE* stored = target.Place(std::string(), size);
        ParseField(&field, exact, stored);
        FUZZ_CHECK(target.GuardIntact(size), "a write before the field");
        const std::string once(reinterpret_cast<const char*>(stored), static_cast<size_t>(size));
        CString again;
        FormatFieldExact(&field, stored, again);
        stored = target.Place(std::string(), size);
        ParseField(&field, again, stored);
        CString third;
        FormatFieldExact(&field, stored, third);
        FUZZ_CHECK(third == again, "the shown text does not settle after one round trip");

        const DWORD type = field.Flags & FIELD_TYPE_MASK;
        if (type != FIELD_TEXT && !(field.Flags & FIELD_BCD)) {
            FUZZ_CHECK(std::memcmp(once.data(), bytes, static_cast<size_t>(size)) == 0 || type == FIELD_AMOUNT
                           || type == FIELD_S64,
                       "a number came back as other bytes");
        }
    });
}

// The character table, damaged, and register text through it both ways:
// the text shown for stored bytes settles after one round trip.
#include "CEcrCharTable.h"
#include "FuzzDriver.h"
#include "FuzzFiles.h"

int wmain(int argc, wchar_t** argv)
{
    const std::string table = ReadSample(L"Cap\\VORNK2DLL_ECR.CNV");
    // 'T' damages the table, 'B' the register bytes converted through it.
    std::vector<std::string> seeds = {"T" + table, "B\x82\xA0\x83\x80\x82\x9F\x41\x5C\xFF\x81\x5C\xED\x40\xA0"};
    const std::wstring folder = FuzzFolder(L"chartable");
    WriteInput(folder + L"intact.cnv", table);
    CEcrCharTable intact;
    intact.Load((folder + L"intact.cnv").c_str());
    return RunFuzzDriver(argc, argv, "char_table", seeds, [&](const std::string& input) {
        if (input.empty())
            return;
        const std::string body = input.substr(1);
        CEcrCharTable damaged;
        const CEcrCharTable* through = &intact;
        CStringA bytes("\x82\xA0\x41\xB1\xFF", 5);
        if (input[0] == 'T') {
            WriteInput(folder + L"damaged.cnv", body);
            damaged.Load((folder + L"damaged.cnv").c_str());
            through = &damaged;
        } else {
            bytes = CStringA(body.data(), static_cast<int>(body.size()));
        }
        CStringW text, again;
        CStringA stored, storedAgain;
        through->EcrToUnicode(bytes, text);
        through->UnicodeToEcr(text, stored);
        through->EcrToUnicode(stored, again);
        through->UnicodeToEcr(again, storedAgain);
        FUZZ_CHECK(storedAgain == stored, "register text stored twice gives other bytes");
    });
}

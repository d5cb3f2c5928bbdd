// Caption values as caption files hold them: a value that reads as a
// caption writes back to a value that reads the same.
#include <cstdio>

#include "CCaptionValue.h"
#include "FuzzDriver.h"

int wmain(int argc, wchar_t** argv)
{
    auto wide = [](const std::wstring& text) { return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2); };
    const std::wstring sep(1, CCaptionValue::Separator);
    std::vector<std::string> seeds = {
        wide(L"0" + sep + L"0" + sep + L"0" + sep + L"0" + sep + L"0" + sep + L"0" + sep + L"0" + sep + L"0" + sep + L"0"
             + sep + L"0" + sep + L"0" + sep + L"0" + sep + L"0" + sep + L" " + sep + L"Select (&S)" + sep + L"1" + sep
             + L"Open the function menu"),
        wide(L"-12" + sep + L"0" + sep + L"0" + sep + L"0" + sep + L"700" + sep + L"1" + sep + L"0" + sep + L"0" + sep
             + L"128" + sep + L"0" + sep + L"0" + sep + L"0" + sep + L"0" + sep + L"MS UI Gothic" + sep
             + L"C:\\new\\nline" + sep + L"0" + sep + L" "),
    };
    return RunFuzzDriver(argc, argv, "caption_value", seeds, [](const std::string& input) {
        const std::wstring text(reinterpret_cast<const wchar_t*>(input.data()), input.size() / 2);
        CCaptionValue value;
        if (!value.Parse(CString(text.c_str())))
            return;
        const CString written = value.Format();
        CCaptionValue again;
        FUZZ_CHECK(again.Parse(written), "a written caption does not read back");
        if (again.Format() != written) {
            // Both values in the message, unit by unit, to see where they part.
            std::string what = "a written caption reads back changed:";
            for (const CString& text : {written, again.Format()}) {
                what += "\n";
                for (int i = 0; i < text.GetLength(); ++i) {
                    char unit[8];
                    std::snprintf(unit, sizeof unit, text[i] < 0x80 && text[i] >= 0x20 ? "%c" : "<%04X>", text[i]);
                    what += unit;
                }
            }
            throw FuzzFailure(what);
        }
    });
}

// The settings file and the model list, damaged: whatever they held, the
// settings read, written back and read again are the same settings.
#include "EcrGlobals.h"
#include "FuzzDriver.h"
#include "FuzzFiles.h"
#include "S_ECR_SETTING.h"

namespace {

bool SameSettings(const S_ECR_SETTING& a, const S_ECR_SETTING& b)
{
    return a.DataPath == b.DataPath && a.EcrName == b.EcrName && a.Language == b.Language && a.CapPath == b.CapPath
           && a.BmpPath == b.BmpPath && a.IpREG == b.IpREG && a.Tillwire == b.Tillwire && a.Tillmark == b.Tillmark
           && a.LogoAnim == b.LogoAnim && a.PortNo == b.PortNo && a.BaudRate == b.BaudRate && a.ByteSize == b.ByteSize
           && a.Parity == b.Parity && a.SAnime == b.SAnime && a.RAnime == b.RAnime && a.ListPath == b.ListPath
           && a.EcrBmp == b.EcrBmp && a.LogoBmp == b.LogoBmp;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    SilenceMessageBoxes();
    // The shipped settings file, as the build makes it (UTF-16LE).
    const std::string ini = ReadSample(L"..\\resources\\Tilldesk.ini");
    const std::string list = "// models\r\n02 VORN-K2=VornK2Dll.dll\r\nVORN-K5/K6 Ver1.00=.\\VornK5Dll.dll\r\n";
    // The first byte of an input says which file it damages.
    std::vector<std::string> seeds = {"I" + ini, "L" + list, "I[DEFAULT]\r\nDataPath=C:\\\\Daten\r\nIpREG=-1062731519\r\n"};
    const std::wstring folder = FuzzFolder(L"settings");
    wchar_t saved[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, saved);
    ::SetCurrentDirectoryW(folder.c_str());
    const int result = RunFuzzDriver(argc, argv, "settings", seeds, [&](const std::string& input) {
        const bool damagesList = !input.empty() && input[0] == 'L';
        const std::string body = input.empty() ? std::string() : input.substr(1);
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, (folder + L"Tilldesk.ini").c_str());
        WriteInput(folder + L"Tilldesk.ini", damagesList ? ini : body);
        WriteInput(folder + L"Ecr.lst", damagesList ? body : list);
        S_ECR_SETTING first;
        const INT_PTR models = first.ModelMap.GetCount();
        if (!first.SaveSettings())
            return;  // reported; nothing to compare
        S_ECR_SETTING second;
        FUZZ_CHECK(SameSettings(first, second), "settings written at exit read back changed");
        FUZZ_CHECK(second.ModelMap.GetCount() == models, "the model list read differently");
    });
    ::SetCurrentDirectoryW(saved);
    return result;
}

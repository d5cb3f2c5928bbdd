#include "LogoFixture.h"

#include "CEcrDll.h"
#include "CEcrTilldeskApp.h"
#include "EcrGlobals.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "TestFiles.h"

std::string MakeBmp(int width, int height, const std::function<COLORREF(int, int)>& colour)
{
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < width; ++x) {
            COLORREF c = colour(x, y);
            row[x * 3] = static_cast<char>(GetBValue(c));
            row[x * 3 + 1] = static_cast<char>(GetGValue(c));
            row[x * 3 + 2] = static_cast<char>(GetRValue(c));
        }
        bytes += row;
    }
    return bytes;
}

std::string LogoBytes(int width, int height, const std::function<bool(int, int)>& black)
{
    std::string bytes(static_cast<size_t>(width) * height / 8, '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (black(x, y)) {
                size_t dot = static_cast<size_t>(y) * width + x;
                bytes[dot / 8] = static_cast<char>(bytes[dot / 8] | (0x80 >> (dot % 8)));
            }
    return bytes;
}

bool LogoDot(const std::string& bytes, int width, int x, int y)
{
    size_t dot = static_cast<size_t>(y) * width + x;
    return (static_cast<unsigned char>(bytes.at(dot / 8)) >> (7 - dot % 8)) & 1;
}

std::wstring CopyTillmark(const TempFolder& folder)
{
    std::wstring copy = folder.File(L"Tillmark.exe");
    CopyFileW((ProgramFolder() + L"\\Tillmark.exe").c_str(), copy.c_str(), FALSE);
    return copy;
}

namespace {
ModalDriver* g_driver = nullptr;
}

ModalDriver::ModalDriver(int childId, std::function<bool(HWND)> action) : m_childId(childId), m_action(std::move(action))
{
    g_driver = this;
    // A window's timer: the application's loop keeps thread timers to itself.
    m_window = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetTimer(m_window, 1, 20, &ModalDriver::Tick);
}

ModalDriver::~ModalDriver()
{
    KillTimer(m_window, 1);
    DestroyWindow(m_window);
    g_driver = nullptr;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    // An action may pump messages: no second tick runs inside it.
    if (g_driver && !g_driver->m_busy) {
        g_driver->m_busy = true;
        EnumThreadWindows(GetCurrentThreadId(), &ModalDriver::Visit, reinterpret_cast<LPARAM>(g_driver));
        g_driver->m_busy = false;
    }
}

BOOL CALLBACK ModalDriver::Visit(HWND window, LPARAM self)
{
    auto* driver = reinterpret_cast<ModalDriver*>(self);
    if (window == driver->m_done || !IsWindowVisible(window) || !GetDlgItem(window, driver->m_childId))
        return TRUE;
    if (driver->m_action(window)) {
        ++driver->m_handled;
        driver->m_done = window;
    }
    return FALSE;
}

void LogoFixture::SetUp()
{
    S_ECR_SETTING& s = *g_pEcrSetting;
    m_savedData = s.DataPath;
    m_savedBmp = s.BmpPath;
    m_savedTillmark = s.Tillmark;
    m_savedLanguage = s.Language;
    m_savedName = s.EcrName;
    s.DataPath = data.Path().c_str();
    s.BmpPath = bmp.Path().c_str();
    s.EcrName = L"02 VORN-K2";
    theApp.LoadModelDll(L"VornK2Dll.dll");
    UseLanguage(L"ENG");
}

void LogoFixture::TearDown()
{
    PumpPending();
    theApp.EcrDll.UnloadModelDll();
    S_ECR_SETTING& s = *g_pEcrSetting;
    s.DataPath = m_savedData;
    s.BmpPath = m_savedBmp;
    s.Tillmark = m_savedTillmark;
    s.Language = m_savedLanguage;
    s.EcrName = m_savedName;
}

CEcrGraphic* LogoFixture::Logo(const wchar_t* name)
{
    for (int i = 0; i < GetEcrDataCount(); ++i) {
        CEcrGraphic* logo = AsGraphic(GetEcrDataFromIndex(i));
        if (logo && lstrcmpW(logo->LogoName, name) == 0)
            return logo;
    }
    return nullptr;
}

void LogoFixture::UseLanguage(const wchar_t* language)
{
    g_pEcrSetting->Language = language;
    theApp.CaptionMgr.SetCaptionFile(L".\\Cap", L"VORNK2DLL", language);
}

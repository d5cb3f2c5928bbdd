// Logo tests run on the demo library's logo groups, with a data folder and
// a BMP folder of their own.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "CEcrGraphic.h"
#include "TempFolder.h"

// Bytes of a 24-bit BMP whose pixel colours come from colour(x, y).
std::string MakeBmp(int width, int height, const std::function<COLORREF(int, int)>& colour);

// The bytes of a logo file with the given dots black (1).
std::string LogoBytes(int width, int height, const std::function<bool(int, int)>& black);

// Whether dot (x, y) of a logo file is black.
bool LogoDot(const std::string& bytes, int width, int x, int y);

// Tillmark.exe copied into a folder of its own, so its log and settings
// belong to one test. Returns the copy's path.
std::wstring CopyTillmark(const TempFolder& folder);

// While it lives, calls action every few milliseconds with each visible
// window of this thread that has a child of the given id, also inside
// modal loops; the action returns true when it is done with the window,
// which it then sees no more.
class ModalDriver
{
public:
    ModalDriver(int childId, std::function<bool(HWND)> action);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    int Handled() const { return m_handled; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK Visit(HWND window, LPARAM self);

    int m_childId;
    std::function<bool(HWND)> m_action;
    HWND m_window = nullptr;
    HWND m_done = nullptr;  // handled already
    bool m_busy = false;
    int m_handled = 0;
};

class LogoFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A logo group of the demo library by its logo name (LOGO1 384 x 96, LOGO2 384 x 48).
    CEcrGraphic* Logo(const wchar_t* name);
    // Switches the caption file's language ("ENG" or "JPN").
    void UseLanguage(const wchar_t* language);

    TempFolder data;
    TempFolder bmp;

private:
    CString m_savedData, m_savedBmp, m_savedTillmark, m_savedLanguage, m_savedName;
};

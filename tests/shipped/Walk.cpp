#include "Walk.h"

#include "WindowPicture.h"
#include "resource.h"

HWND Walk::OpenScreen(int buttonId)
{
    ProgramDriver::Click(menu, buttonId);
    HWND screen = program.WaitForScreen(menu);
    // The old screen goes right after the new one shows; a loaded machine may
    // take a moment.
    for (int i = 0; i < 200 && ::IsWindow(menu); ++i)
        ::Sleep(25);
    Require(!::IsWindow(menu), L"the function menu stayed after switching screens");
    menu = nullptr;
    return screen;
}

void Walk::BackToMenu(HWND screen, int buttonId)
{
    ProgramDriver::Click(screen, buttonId);
    menu = program.WaitForScreen(screen);
    Require(ProgramDriver::IsShown(menu, IDC_SEL_BACK), L"the way back did not lead to the function menu");
    for (int i = 0; i < 200 && ::IsWindow(screen); ++i)
        ::Sleep(25);
    Require(!::IsWindow(screen), L"the screen stayed after going back");
}

HWND Walk::OpenDialog(int buttonId)
{
    ProgramDriver::Click(menu, buttonId);
    HWND dialog = program.WaitForDialogOver(menu);
    Require(!::IsWindowEnabled(menu), L"the function menu stays usable under a modal dialog");
    return dialog;
}

void Walk::CloseDialog(HWND dialog, int buttonId)
{
    ProgramDriver::Click(dialog, buttonId);
    program.WaitGone(dialog);
    Require(::IsWindowEnabled(menu) != FALSE, L"the function menu stayed disabled after the dialog");
}

void Walk::Picture(HWND window, const std::wstring& name, HWND textControl)
{
    std::wstring file = L"shipped-" + name + (Japanese() ? L"-jpn" : L"-eng");
    Require(!SaveWindowPicture(window, file.c_str()).empty(), L"no picture of " + name);
    Require(WindowShowsInk(textControl), L"\"" + ProgramDriver::Text(textControl) + L"\" shows no text in " + name);
}

void Walk::CheckLayout(HWND window, const std::wstring& name, const std::set<int>& dataIds)
{
    std::vector<std::wstring> findings = ScreenFindings(window, captions, Japanese(), dataIds, false);
    Require(findings.empty(), name + L": " + JoinFindings(findings));
}

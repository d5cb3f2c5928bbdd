// One walk through the program in one caption language, and the moves that
// the steps of the screens share.
#pragma once

#include <set>
#include <string>

#include "ProgramDriver.h"
#include "ScreenCheck.h"

struct Walk
{
    ProgramDriver& program;
    std::wstring language;  // "ENG" or "JPN"
    HWND menu;              // the function menu: current before and after every step
    const CaptionLanguages& captions;  // of the program folder
    std::wstring folder;    // the program folder

    bool Japanese() const { return language == L"JPN"; }
    // The text for the walk's language.
    const wchar_t* Say(const wchar_t* english, const wchar_t* japanese) const
    {
        return Japanese() ? japanese : english;
    }

    // Clicks a function-menu button that switches screens; returns the new screen.
    HWND OpenScreen(int buttonId);
    // Clicks a button of the screen that leads back to the function menu.
    void BackToMenu(HWND screen, int buttonId);
    // Clicks a function-menu button that runs a modal dialog; returns the dialog.
    HWND OpenDialog(int buttonId);
    // Closes a modal dialog with the button given; the menu is current again.
    void CloseDialog(HWND dialog, int buttonId);

    // Saves a picture of the window as shipped-<name>-<eng|jpn>.bmp in the
    // pictures folder and checks that the control shows its text.
    void Picture(HWND window, const std::wstring& name, HWND textControl);
    // Checks that the window shows no text of the other caption language and
    // no control over another; `dataIds` show data, not captions (0: the
    // title). Clipping needs the program's own fonts: in-process tests check
    // it, the grids' cells included.
    void CheckLayout(HWND window, const std::wstring& name, const std::set<int>& dataIds = {});
};

// Acts inside a modal dialog the code under test opens: a step runs from the
// dialog's own message loop as soon as a window with the given title shows.
#pragma once

#include <functional>

#include <windows.h>

// Arms one step; it runs once, with the dialog's window.
void WhenDialogShows(const wchar_t* title, std::function<void(HWND)> step);

// Arms one step that runs, with the menu, as soon as a popup menu shows.
void WhenMenuShows(std::function<void(HMENU)> step);

// Sets a control's text and presses a button of a dialog (posted, so the
// step returns before the dialog reacts).
void SetText(HWND dialog, int id, const wchar_t* text);
void PressButton(HWND dialog, int id);

#pragma once

#include <optional>

#include "CTillpad.h"
#include "KeyboardGroup.h"

class CEcrData;

// The keyboard screen (window 23): the register's key map beside the list
// of assignable key functions. Selected key positions take the function
// clicked in the list; Save commits the keyboard group through the model
// library; "Call KeyLayOut" starts the keyboard layout program.
//
// Joining, separating, zoom, board settings and printing of the base are
// hidden here.
class CKeyBoardDlg : public CTillpad
{
public:
    CKeyBoardDlg();

    void LoadKeyboard() override {}
    void SaveKeyboard() override;
    void AssignKey(int* row) override;
    // Starts the layout program unless it already runs.
    void PrintKeyboard() override { LaunchKeyLayout(); }
    void LaunchKeyLayout();

    CEcrData* Data = nullptr;
    // The group's tables, once the key list and the map were found.
    std::optional<KeyboardGroup> Keys;
    // For each key list row, the key list record it shows.
    CList<int, int> KeyRows;

protected:
    BOOL OnInitDialog() override;

private:
    // Back to the function menu after a message, when the data is missing.
    void GiveUp(const CString& message);
    void FillKeyMap();
};

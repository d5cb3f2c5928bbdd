#pragma once

#include "CTillpad.h"

class CEcrData;
struct S_ECR_TABLE;

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
    S_ECR_TABLE* KeyListTable = nullptr;
    // For each key list row, the key list record it shows.
    CList<int, int> KeyRows;

protected:
    BOOL OnInitDialog() override;

private:
    // Back to the function menu after a message, when the data is missing.
    void GiveUp(const CString& message);
    // Whether key list record k exists and is assignable (field 0 reads 1).
    bool IsAssignable(int k) const;
    // The name of key list record k; empty when there is none.
    CString KeyName(int k) const;
    void FillKeyMap(S_ECR_TABLE* map);
    void MergeKeys(S_ECR_TABLE* merges);
};

// The value-input dialog on its own.
#include <gtest/gtest.h>

#include "CInputValDlg.h"
#include "RecordGridFixture.h"

TEST(InputValDlg, TakesNoMoreThanItsLimit)
{
    CInputValDlg dialog;
    {
        InputScript script(L"abc");
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(script.limit, 1) << "one character by default";
    }
    EXPECT_EQ(dialog.GetValue(), L"a");

    CInputValDlg longer;
    longer.Setup(4, L"Price");
    {
        InputScript script(L"123456");
        EXPECT_EQ(longer.DoModal(), IDOK);
        EXPECT_EQ(script.title, L"Price");
    }
    EXPECT_EQ(longer.GetValue(), L"1234");
}

TEST(InputValDlg, TitleIsCutAndEmptyOrCancelledValuesStayEmpty)
{
    const std::wstring title(70, L'T');
    CInputValDlg dialog;
    dialog.Setup(10, title.c_str());
    {
        InputScript script(L"");
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(script.title, std::wstring(63, L'T'));
    }
    EXPECT_TRUE(dialog.GetValue().IsEmpty());

    CInputValDlg cancelled;
    cancelled.Setup(10, L"x");
    {
        InputScript script(L"42", false);
        EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    }
    EXPECT_TRUE(cancelled.GetValue().IsEmpty());
}

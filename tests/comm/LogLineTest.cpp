#include <gtest/gtest.h>

#include <string>

#include "AppendLogLine.h"

TEST(AppendLogLine, AppendsLinesAndKeepsTheLastInView)
{
    HWND log = CreateWindowW(L"EDIT", L"", WS_POPUP | WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL,
                             0, 0, 200, 60, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, log);
    AppendLogLine(log, L"[Start]:one");
    AppendLogLine(log, L"[End  ]: Code=00000000H");
    wchar_t text[128] = {};
    GetWindowTextW(log, text, 128);
    EXPECT_STREQ(L"[Start]:one\r\n[End  ]: Code=00000000H\r\n", text);

    for (int i = 0; i < 40; ++i)
        AppendLogLine(log, std::to_wstring(i).c_str());
    int first = static_cast<int>(SendMessageW(log, EM_GETFIRSTVISIBLELINE, 0, 0));
    int lines = static_cast<int>(SendMessageW(log, EM_GETLINECOUNT, 0, 0));
    EXPECT_GT(first, 30);
    EXPECT_LT(first, lines);
    DestroyWindow(log);
}

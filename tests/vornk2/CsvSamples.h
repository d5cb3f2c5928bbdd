#pragma once

#include <string>

#include "RegisterText.h"

// PLU rows in the form the library writes them: every column type, quoting,
// Japanese text in code page 932.
inline std::string PluCsv(const wchar_t* rows)
{
    CString text = CString(L"PLU Code,Name,Price,Dept,Tax,Label,Stock,Discount %,Age limit,Sold,Link PLU\r\n") + rows;
    CStringA bytes = TextToAnsi(text);
    return std::string(bytes.GetString(), bytes.GetLength());
}

inline const wchar_t* const kPluRows =
    L"4901234567894,\"Green tea, 500ml\",1.5000,1,1,TEA500,120,-5,20,-1,00000000000000\r\n"
    L"12,\u7DD1\u8336 \u30DA\u30C3\u30C8,128.0000,2,0,,0,0,0,0,04901234567894\r\n"
    L"7,\"Say \"\"hi\"\"\",0.0001,99,3,A,-999999,50,99,123,00000000000012\r\n";

#pragma once

#include "afx.h"

// The register's character table and the conversion of register text.
//
// The table names the register bytes whose characters differ from the PC's
// ANSI code page. Its file ("<CapPath>\<DLLBASE>_ECR.CNV") is UTF-16 text,
// one mapping a line:
//     <character> = <byte in hexadecimal>
// split at the last "=", both parts trimmed; "//" at the very start makes a
// comment. Lines that map nothing sound are skipped: no "=", an empty
// character part, a surrogate, a byte part that is not hexadecimal, the byte
// 00. Only the low 8 bits of the byte are used ("141" is 0x41). A line is read
// up to 1023 characters; the rest of a longer line is discarded. A line whose
// character or byte an earlier line maps is skipped, so each mapped byte and
// its character convert back to each other.
//
// Every byte or character the table lacks goes through the thread's ANSI code
// page. Without a table whole strings go through it. With a table, text goes
// byte by byte, except that an unmapped byte starting a character of the code
// page is converted together with the rest of that character (a lead byte
// with its trail byte, a UTF-8 sequence), so Shift-JIS text typed on the PC
// comes back as typed. Bytes that form no character read as U+FFFD, as
// DecodeAnsi reads them: a lead byte before a byte that follows no lead byte
// (a name cut in the middle of a character) alone, the byte after it on its own.
class CEcrCharTable
{
public:
    CEcrCharTable();
    CEcrCharTable(const CEcrCharTable&) = delete;
    CEcrCharTable& operator=(const CEcrCharTable&) = delete;

    // Replaces the table by the mappings of the file. FALSE, with an empty
    // table, when the file cannot be read. The file may start with a UTF-16LE
    // or UTF-8 byte-order mark; without one it is UTF-16LE, unless it holds no
    // zero byte at all, in which case it is read as UTF-8.
    BOOL Load(const wchar_t* path);
    // Adds the mappings of the text's lines (what Load does with a file's text).
    void AddLines(const CString& text);
    // One line: TRUE with its character and byte when it is a mapping.
    static BOOL ParseLine(const CString& line, wchar_t& ch, BYTE& byte);

    void Clear();
    INT_PTR GetByteCount() const { return m_byteMap.GetCount(); }
    INT_PTR GetCharCount() const { return m_charMap.GetCount(); }

    void EcrToUnicode(const CStringA& bytes, CStringW& text) const;
    void UnicodeToEcr(const CStringW& text, CStringA& bytes) const;

    // The ANSI code page of the calling thread's locale (what CP_THREAD_ACP means).
    static UINT ThreadCodePage();

private:
    CMap<BYTE, BYTE, wchar_t, wchar_t> m_byteMap;   // register byte -> character
    CMap<wchar_t, wchar_t, BYTE, BYTE> m_charMap;   // character -> register byte
};

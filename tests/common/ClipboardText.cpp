#include "ClipboardText.h"

std::wstring DataText(const COleDataObject& data)
{
    HGLOBAL block = data.GetGlobalData(CF_UNICODETEXT);
    if (!block)
        return L"<none>";
    std::wstring text(static_cast<const wchar_t*>(::GlobalLock(block)));
    ::GlobalUnlock(block);
    ::GlobalFree(block);
    return text;
}

std::wstring ClipboardText()
{
    COleDataObject data;
    return data.AttachClipboard() ? DataText(data) : L"<none>";
}

#include "CAboutDlg.h"

#include <vector>

#include "CaptionText.h"
#include "EcrWndNo.h"
#include "FrameworkResources.h"

namespace {

// The title is a common caption, so the box speaks the screens' language;
// the template's title stands when the caption file lacks it.
constexpr int kTitleCaption = 510;

} // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ABOUT_PRODUCT, ProductName);
    DDX_Control(dx, IDC_ABOUT_VERSION, ProductVersion);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(CaptionText(WNDNO_COMMON, kTitleCaption, GetWindowText()));

    // Any failure leaves the template's texts.
    wchar_t file[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, file, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return TRUE;
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeW(file, &ignored);
    if (size == 0)
        return TRUE;
    std::vector<BYTE> info(size);
    if (!::GetFileVersionInfoW(file, 0, size, info.data()))
        return TRUE;

    struct Translation
    {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation))
        return TRUE;

    auto show = [&](const wchar_t* name, CStatic& target) {
        CString key;
        key.Format(L"\\StringFileInfo\\%04x%04x\\%s", translation->language, translation->codePage, name);
        wchar_t* value = nullptr;
        UINT chars = 0;
        if (::VerQueryValueW(info.data(), key, reinterpret_cast<void**>(&value), &chars) && value)
            target.SetWindowText(value);
    };
    show(L"ProductName", ProductName);
    show(L"ProductVersion", ProductVersion);
    return TRUE;
}

#include "CCaptionMgr.h"

#include "AtomicFile.h"
#include "CCaptionValue.h"
#include "EcrWndNo.h"
#include "ProfileText.h"
#include "UpperAscii.h"

// A cached caption: the record handed out, and the value it had when it was
// read from the file (empty for a record made by SetCaption). A record whose
// value is still the one read is not written back.
struct CCaptionMgr::CEntry
{
    S_ECR_CAP Cap;
    CString AsRead;
};

namespace {

const wchar_t* Safe(const wchar_t* s) { return s ? s : L""; }

// A value of any length: the buffer grows until the value fits.
CString ReadProfileValue(const wchar_t* section, const wchar_t* key, const wchar_t* file)
{
    for (DWORD size = 512;; size *= 2) {
        CString value;
        DWORD got = ::GetPrivateProfileStringW(section, key, L"", value.GetBuffer(static_cast<int>(size)), size, file);
        value.ReleaseBuffer(static_cast<int>(got < size ? got : size - 1));
        if (got + 2 < size || size >= (1u << 24))
            return value;
    }
}

enum class FileState { Exists, Created, Failed };

// Creates a file holding only the UTF-16LE byte-order mark, so that the
// profile functions keep it in UTF-16. An existing file is left alone.
FileState EnsureUnicodeFile(const wchar_t* path)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
            ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
            return FileState::Exists;
        return FileState::Failed;
    }
    static const BYTE bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bom, sizeof bom, &written, nullptr) && written == sizeof bom;
    ::CloseHandle(file);
    return ok ? FileState::Created : FileState::Failed;
}

}  // namespace

CCaptionMgr::CLock::CLock(HANDLE mutex) : m_hMutex(mutex)
{
    if (m_hMutex && ::WaitForSingleObject(m_hMutex, INFINITE) == WAIT_FAILED)
        m_hMutex = nullptr;
}

CCaptionMgr::CLock::~CLock()
{
    if (m_hMutex)
        ::ReleaseMutex(m_hMutex);
}

CCaptionMgr::CCaptionMgr()
{
    CString name;
    // The whole address, in the 64-bit build too.
    name.Format(L"CCAPMGR_MUTEX%0Ix", reinterpret_cast<UINT_PTR>(this));
    m_hMutex = ::CreateMutexW(nullptr, FALSE, name);
}

CCaptionMgr::~CCaptionMgr()
{
    FlushCaptions();
    ClearCharConv();
    if (m_hMutex)
        ::CloseHandle(m_hMutex);
}

CString CCaptionMgr::CaptionFileName(const wchar_t* capPath, const wchar_t* dllBase, const wchar_t* language)
{
    CString name;
    name.Format(L"%s\\%s_%s.Cap", Safe(capPath), Safe(dllBase), Safe(language));
    return UpperAscii(name);
}

CString CCaptionMgr::CharConvFileName(const wchar_t* capPath, const wchar_t* dllBase)
{
    CString name;
    name.Format(L"%s\\%s_ECR.CNV", Safe(capPath), Safe(dllBase));
    return UpperAscii(name);
}

CCaptionMgr::CInnerMap* CCaptionMgr::InnerMap(int wndNo)
{
    CInnerMap* inner = nullptr;
    if (!m_cache.Lookup(wndNo, inner)) {
        inner = new CInnerMap;
        m_cache[wndNo] = inner;
    }
    return inner;
}

void CCaptionMgr::FreeCache()
{
    POSITION pos = m_cache.GetStartPosition();
    while (pos) {
        int wndNo;
        CInnerMap* inner;
        m_cache.GetNextAssoc(pos, wndNo, inner);
        POSITION at = inner->GetStartPosition();
        while (at) {
            int captionNo;
            CEntry* entry;
            inner->GetNextAssoc(at, captionNo, entry);
            delete entry;  // its font goes with it
        }
        delete inner;
    }
    m_cache.RemoveAll();
}

BOOL CCaptionMgr::SetCaptionFile(const wchar_t* capPath, const wchar_t* dllBase, const wchar_t* language)
{
    CLock lock(m_hMutex);
    const bool named = *Safe(dllBase) && *Safe(language);
    const CString name = named ? CaptionFileName(capPath, dllBase, language) : CString();
    if (named && name == m_strCaptionFile)
        return TRUE;

    FlushCaptions();
    m_strCaptionFile = name;
    m_bModified = FALSE;
    if (!named)
        return FALSE;  // no library, no caption file
    return EnsureUnicodeFile(name) == FileState::Exists;
}

void CCaptionMgr::FlushCaptions()
{
    CLock lock(m_hMutex);
    if (m_bModified && !m_strCaptionFile.IsEmpty())
        WriteChangedCaptions();
    m_bModified = FALSE;
    FreeCache();
    for (INT_PTR i = 0; i < m_retiredFonts.GetSize(); ++i)
        ::DeleteObject(m_retiredFonts[i]);
    m_retiredFonts.RemoveAll();
}

void CCaptionMgr::WriteChangedCaptions()
{
    // The whole file is rewritten through a temporary file, so a full disk
    // or a kill mid-write leaves every caption of the old file readable; a
    // file in another encoding is read in it and kept whole.
    ProfileText file;
    bool loaded = file.Load(m_strCaptionFile);
    if (!loaded)
        ::SetLastError(ERROR_ACCESS_DENIED);
    bool changed = false;
    POSITION pos = m_cache.GetStartPosition();
    while (loaded && pos) {
        int wndNo;
        CInnerMap* inner;
        m_cache.GetNextAssoc(pos, wndNo, inner);
        CString section;
        section.Format(L"%0d", wndNo);
        POSITION at = inner->GetStartPosition();
        while (at) {
            int captionNo;
            CEntry* entry;
            inner->GetNextAssoc(at, captionNo, entry);
            CString value = CCaptionValue::FromRecord(entry->Cap).Format();
            if (!entry->AsRead.IsEmpty() && value == entry->AsRead)
                continue;  // unchanged since read: the file keeps its line as it is
            CString key;
            key.Format(L"%0d", captionNo);
            file.Set(section, key, value);
            changed = true;
        }
    }
    if (loaded && (!changed || file.Save(m_strCaptionFile)))
        return;
    // Told in this manager's own language, whether or not it is the program's.
    const DWORD error = ::GetLastError();
    S_ECR_CAP* kept = GetCaption(WNDNO_COMMON, 3);
    S_ECR_CAP* noFile = GetCaption(WNDNO_COMMON, 4);
    AfxMessageBox(AtomicFile::FailureMessage(m_strCaptionFile, error, kept ? kept->Text.GetString() : nullptr,
                                             noFile ? noFile->Text.GetString() : nullptr),
                  MB_OK | MB_ICONEXCLAMATION);
}

S_ECR_CAP* CCaptionMgr::GetCaption(int wndNo, int captionNo)
{
    CLock lock(m_hMutex);
    if (m_strCaptionFile.IsEmpty())
        return nullptr;
    CInnerMap* inner = InnerMap(wndNo);
    CEntry* entry = nullptr;
    if (inner->Lookup(captionNo, entry))
        return &entry->Cap;

    CString section, key;
    section.Format(L"%d", wndNo);
    key.Format(L"%d", captionNo);
    CString raw = ReadProfileValue(section, key, m_strCaptionFile);
    CCaptionValue value;
    if (raw.IsEmpty() || !value.Parse(raw))
        return nullptr;  // missing or no caption: not cached, the caller's default shows

    entry = new CEntry;
    value.ToRecord(entry->Cap);
    entry->AsRead = CCaptionValue::FromRecord(entry->Cap).Format();
    (*inner)[captionNo] = entry;
    return &entry->Cap;
}

BOOL CCaptionMgr::SetCaption(int wndNo, int captionNo, const S_ECR_CAP* cap)
{
    if (!cap)
        return TRUE;
    CLock lock(m_hMutex);
    CInnerMap* inner = InnerMap(wndNo);
    m_bModified = TRUE;
    CEntry* entry = nullptr;
    if (inner->Lookup(captionNo, entry) && &entry->Cap == cap)
        return TRUE;  // changed in place

    // Taken first: cap may be another cached record.
    CCaptionValue value = CCaptionValue::FromRecord(*cap);
    if (!entry) {
        entry = new CEntry;
        (*inner)[captionNo] = entry;
    }
    if (HGDIOBJ old = entry->Cap.Font.Detach())
        m_retiredFonts.Add(old);  // controls may still use it
    value.ToRecord(entry->Cap);
    entry->AsRead.Empty();
    return TRUE;
}

BOOL CCaptionMgr::LoadCharConv(const wchar_t* capPath, const wchar_t* dllBase)
{
    if (!*Safe(dllBase)) {
        ClearCharConv();
        return FALSE;
    }
    const CString name = CharConvFileName(capPath, dllBase);
    if (name == m_strCharConvFile)
        return TRUE;
    m_charTable.Clear();
    m_strCharConvFile = name;
    return m_charTable.Load(name);
}

void CCaptionMgr::ClearCharConv()
{
    m_charTable.Clear();
    m_strCharConvFile.Empty();
}

void CCaptionMgr::EcrToUnicode(const CStringA& bytes, CStringW& text)
{
    m_charTable.EcrToUnicode(bytes, text);
}

void CCaptionMgr::UnicodeToEcr(const CStringW& text, CStringA& bytes)
{
    m_charTable.UnicodeToEcr(text, bytes);
}

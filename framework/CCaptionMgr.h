#pragma once

#include "CCaptionManagerBase.h"
#include "CEcrCharTable.h"

// The caption manager and the holder of the register's character table.
// The application object owns exactly one, as a member;
// everybody else reaches it through g_ppCaptionMgr.
//
// Captions are read from the caption file "<CapPath>\<DLLBASE>_<language>.CAP"
// (UTF-16 private-profile file; see CCaptionValue for the value format) on
// first use and cached. FlushCaptions writes the cache back when a caption was
// set since the last flush, then empties it; a caption read from the file and
// not changed since is not rewritten, and captions never read are never
// touched, so the file loses nothing.
//
// GetCaption, SetCaption, FlushCaptions and the switch of SetCaptionFile hold
// the named mutex "CCAPMGR_MUTEX<address>", so worker threads and the model
// library may use the manager too. The character table is not guarded: it
// changes only on the UI thread during a library change.
class CCaptionMgr final : public CCaptionManagerBase
{
public:
    CCaptionMgr();
    // Writes changed captions back, empties the table and closes the mutex.
    ~CCaptionMgr();
    CCaptionMgr(const CCaptionMgr&) = delete;
    CCaptionMgr& operator=(const CCaptionMgr&) = delete;

    // TRUE when the file was current or exists; FALSE when it was created
    // (with only a UTF-16LE byte-order mark) or could not be created. An
    // existing file is never re-created. An empty dllBase selects no file.
    BOOL SetCaptionFile(const wchar_t* capPath, const wchar_t* dllBase, const wchar_t* language) override;
    // Writes the cache when a caption was set, then frees every record and
    // every font a SetCaption replaced.
    void FlushCaptions() override;
    // The record stays the manager's, valid until the next FlushCaptions.
    // Null when no file is selected or the file has no sound value for the pair.
    S_ECR_CAP* GetCaption(int wndNo, int captionNo) override;
    // Keeps a copy (a new font made from cap's) and marks the cache changed.
    // The font it replaces lives on until the next FlushCaptions, since
    // controls may still use it.
    BOOL SetCaption(int wndNo, int captionNo, const S_ECR_CAP* cap) override;

    // Loads "<capPath>\<dllBase>_ECR.CNV" unless it is the table asked for
    // last. FALSE when it cannot be read; the table is empty then, and the
    // same name is not tried again until ClearCharConv.
    BOOL LoadCharConv(const wchar_t* capPath, const wchar_t* dllBase) override;
    // Empties the table and forgets its name.
    void ClearCharConv() override;
    void EcrToUnicode(const CStringA& bytes, CStringW& text) override;
    void UnicodeToEcr(const CStringW& text, CStringA& bytes) override;

    // The current caption file ("" when none) and the last table asked for.
    const CString& GetCaptionFileName() const { return m_strCaptionFile; }
    const CString& GetCharConvFileName() const { return m_strCharConvFile; }
    const CEcrCharTable& GetCharTable() const { return m_charTable; }

    // "<capPath>\<dllBase>_<language>.CAP" and "<capPath>\<dllBase>_ECR.CNV",
    // upper-cased by the program's one rule for derived names: the letters a
    // to z only.
    static CString CaptionFileName(const wchar_t* capPath, const wchar_t* dllBase, const wchar_t* language);
    static CString CharConvFileName(const wchar_t* capPath, const wchar_t* dllBase);

private:
    struct CEntry;
    using CInnerMap = CMap<int, int, CEntry*, CEntry*>;
    using CCacheMap = CMap<int, int, CInnerMap*, CInnerMap*>;

    class CLock
    {
    public:
        explicit CLock(HANDLE mutex);
        ~CLock();
        CLock(const CLock&) = delete;
        CLock& operator=(const CLock&) = delete;

    private:
        HANDLE m_hMutex;
    };

    CInnerMap* InnerMap(int wndNo);
    void FreeCache();
    // Writes the captions set since they were read; a failure is told to the
    // user, naming the file, and the old file stays whole.
    void WriteChangedCaptions();

    CString m_strCaptionFile;
    CString m_strCharConvFile;
    CCacheMap m_cache;
    BOOL m_bModified = FALSE;
    CEcrCharTable m_charTable;
    CArray<HGDIOBJ, HGDIOBJ> m_retiredFonts;
    HANDLE m_hMutex = nullptr;
};

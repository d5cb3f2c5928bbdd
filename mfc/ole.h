// OLE data transfer: a data source the program offers (clipboard, drag),
// a data object it reads, and a drop target windows register.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <vector>

#include "types.h"

class CWnd;

// Global-memory data offered in one or more clipboard formats. Made with
// new and reference counted: SetClipboard and DoDragDrop take their own
// references, so the maker calls Release when done with it.
class COleDataSource : public IDataObject
{
public:
    COleDataSource() = default;
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Takes ownership of the memory.
    void CacheGlobalData(CLIPFORMAT format, HGLOBAL data);
    // Puts the source on the clipboard; false when the clipboard refused it.
    bool SetClipboard();
    // Runs the drag loop; the effect the drop reported (DROPEFFECT_NONE when cancelled).
    DWORD DoDragDrop(DWORD allowedEffects);
    // Renders the program's data on the clipboard so it outlives the program.
    static void FlushClipboard();

    // IUnknown and IDataObject.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override;

protected:
    virtual ~COleDataSource();

private:
    struct Entry
    {
        CLIPFORMAT format;
        HGLOBAL data;
    };
    const Entry* Find(const FORMATETC* format) const;

    LONG m_refs = 1;
    std::vector<Entry> m_entries;
};

// Reads data another program (or this one) offers.
class COleDataObject
{
public:
    COleDataObject() = default;
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;
    ~COleDataObject() { Release(); }

    // The clipboard's current data; false when it cannot be had.
    bool AttachClipboard();
    // Borrows (addRef false) or shares a reference to an object.
    void Attach(IDataObject* data, bool addRef = true);
    void Release();
    bool IsDataAvailable(CLIPFORMAT format) const;
    // A copy of the data in new global memory the caller frees; null when absent.
    HGLOBAL GetGlobalData(CLIPFORMAT format) const;

private:
    IDataObject* m_pData = nullptr;
};

// A window's OLE drop target: forwards the drag callbacks to virtuals with
// client coordinates. Lives as long as the window it is registered for.
class COleDropTarget : public IDropTarget
{
public:
    COleDropTarget() = default;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;
    virtual ~COleDropTarget();

    BOOL Register(CWnd* wnd);
    virtual void Revoke();

    virtual DWORD OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    virtual DWORD OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    virtual BOOL OnDrop(CWnd* wnd, COleDataObject* data, DWORD effect, CPoint point);
    // -1: not handled here, OnDrop decides.
    virtual DWORD OnDropEx(CWnd* wnd, COleDataObject* data, DWORD effect, DWORD allowed, CPoint point);
    virtual void OnDragLeave(CWnd* wnd);
    virtual DWORD OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point);

    // IUnknown and IDropTarget; the object's life is the owner's, not counted.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;

protected:
    CPoint ClientPoint(POINTL pt) const;

    HWND m_hWnd = nullptr;
    COleDataObject m_dataObject;  // the object being dragged over the window
};

#include "ole.h"

#include <shlobj.h>

#include <cstring>

#include "window.h"

namespace {

// The source this program last put on the clipboard (cleared when it goes).
COleDataSource* g_clipboardSource = nullptr;

HGLOBAL CopyGlobal(HGLOBAL source)
{
    const SIZE_T size = ::GlobalSize(source);
    const void* from = ::GlobalLock(source);
    if (!from)
        return nullptr;
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size ? size : 1);
    if (void* to = copy ? ::GlobalLock(copy) : nullptr) {
        std::memcpy(to, from, size);
        ::GlobalUnlock(copy);
    } else if (copy) {
        ::GlobalFree(copy);
        copy = nullptr;
    }
    ::GlobalUnlock(source);
    return copy;
}

// Ends the drag when the button is released, cancels it on Esc.
class DropSource : public IDropSource
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *out = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keyState) override
    {
        if (escape)
            return DRAGDROP_S_CANCEL;
        return (keyState & (MK_LBUTTON | MK_RBUTTON)) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

} // namespace

// ---- COleDataSource ----------------------------------------------------------

COleDataSource::~COleDataSource()
{
    if (g_clipboardSource == this)
        g_clipboardSource = nullptr;
    for (const Entry& e : m_entries)
        ::GlobalFree(e.data);
}

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL data)
{
    for (Entry& e : m_entries)
        if (e.format == format) {
            ::GlobalFree(e.data);
            e.data = data;
            return;
        }
    m_entries.push_back(Entry{format, data});
}

bool COleDataSource::SetClipboard()
{
    if (FAILED(::OleSetClipboard(this)))
        return false;
    g_clipboardSource = this;
    return true;
}

DWORD COleDataSource::DoDragDrop(DWORD allowedEffects)
{
    DropSource source;
    DWORD effect = DROPEFFECT_NONE;
    if (::DoDragDrop(this, &source, allowedEffects, &effect) != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return effect;
}

void COleDataSource::FlushClipboard()
{
    if (g_clipboardSource && ::OleIsCurrentClipboard(g_clipboardSource) == S_OK)
        ::OleFlushClipboard();
}

HRESULT COleDataSource::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IUnknown || iid == IID_IDataObject) {
        *out = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG COleDataSource::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

ULONG COleDataSource::Release()
{
    const LONG left = ::InterlockedDecrement(&m_refs);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

const COleDataSource::Entry* COleDataSource::Find(const FORMATETC* format) const
{
    if (!format || !(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT)
        return nullptr;
    for (const Entry& e : m_entries)
        if (e.format == format->cfFormat)
            return &e;
    return nullptr;
}

HRESULT COleDataSource::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    const Entry* e = Find(format);
    if (!e)
        return DV_E_FORMATETC;
    HGLOBAL copy = CopyGlobal(e->data);
    if (!copy)
        return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT COleDataSource::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

HRESULT COleDataSource::QueryGetData(FORMATETC* format)
{
    return Find(format) ? S_OK : DV_E_FORMATETC;
}

HRESULT COleDataSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
    if (out)
        out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT COleDataSource::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT COleDataSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out)
{
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const Entry& e : m_entries)
        formats.push_back(FORMATETC{e.format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), out);
}

HRESULT COleDataSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT COleDataSource::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT COleDataSource::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

// ---- COleDataObject -----------------------------------------------------------

bool COleDataObject::AttachClipboard()
{
    Release();
    return SUCCEEDED(::OleGetClipboard(&m_pData)) && m_pData;
}

void COleDataObject::Attach(IDataObject* data, bool addRef)
{
    Release();
    m_pData = data;
    if (m_pData && addRef)
        m_pData->AddRef();
}

void COleDataObject::Release()
{
    if (m_pData)
        m_pData->Release();
    m_pData = nullptr;
}

bool COleDataObject::IsDataAvailable(CLIPFORMAT format) const
{
    if (!m_pData)
        return false;
    FORMATETC fe = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return m_pData->QueryGetData(&fe) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format) const
{
    if (!m_pData)
        return nullptr;
    FORMATETC fe = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (FAILED(m_pData->GetData(&fe, &medium)))
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL) {
        ::ReleaseStgMedium(&medium);
        return nullptr;
    }
    if (!medium.pUnkForRelease)
        return medium.hGlobal;  // ours now
    HGLOBAL copy = CopyGlobal(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return copy;
}

// ---- COleDropTarget ---------------------------------------------------------------

COleDropTarget::~COleDropTarget()
{
    COleDropTarget::Revoke();
}

BOOL COleDropTarget::Register(CWnd* wnd)
{
    if (!wnd || !::IsWindow(wnd->m_hWnd) || m_hWnd)
        return FALSE;
    if (FAILED(::RegisterDragDrop(wnd->m_hWnd, this)))
        return FALSE;
    m_hWnd = wnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (!m_hWnd)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
    m_dataObject.Release();
}

DWORD COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DWORD COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return FALSE;
}

DWORD COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DWORD, DWORD, CPoint)
{
    return static_cast<DWORD>(-1);
}

void COleDropTarget::OnDragLeave(CWnd*) {}

DWORD COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

HRESULT COleDropTarget::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *out = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

CPoint COleDropTarget::ClientPoint(POINTL pt) const
{
    POINT p = {pt.x, pt.y};
    ::ScreenToClient(m_hWnd, &p);
    return CPoint(p);
}

HRESULT COleDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect)
{
    m_dataObject.Attach(data);
    *effect = OnDragEnter(CWnd::FromHandle(m_hWnd), &m_dataObject, keyState, ClientPoint(pt));
    return S_OK;
}

HRESULT COleDropTarget::DragOver(DWORD keyState, POINTL pt, DWORD* effect)
{
    CWnd* wnd = CWnd::FromHandle(m_hWnd);
    const CPoint point = ClientPoint(pt);
    // A scrolling answer wins; otherwise the window decides about the drop.
    const DWORD scroll = OnDragScroll(wnd, keyState, point);
    *effect = (scroll & DROPEFFECT_SCROLL) ? scroll : OnDragOver(wnd, &m_dataObject, keyState, point);
    return S_OK;
}

HRESULT COleDropTarget::DragLeave()
{
    OnDragLeave(CWnd::FromHandle(m_hWnd));
    m_dataObject.Release();
    return S_OK;
}

HRESULT COleDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect)
{
    m_dataObject.Attach(data);
    CWnd* wnd = CWnd::FromHandle(m_hWnd);
    const CPoint point = ClientPoint(pt);
    const DWORD allowed = *effect;
    DWORD result = OnDropEx(wnd, &m_dataObject, *effect, allowed, point);
    if (result == static_cast<DWORD>(-1)) {
        const DWORD chosen = OnDragOver(wnd, &m_dataObject, keyState, point) & allowed;
        result = chosen != DROPEFFECT_NONE && OnDrop(wnd, &m_dataObject, chosen, point) ? chosen : DROPEFFECT_NONE;
    }
    *effect = result;
    m_dataObject.Release();
    return S_OK;
}

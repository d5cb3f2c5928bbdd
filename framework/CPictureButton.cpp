#include "CPictureButton.h"

#include <map>
#include <string>

namespace {

// Decoded pictures by file, kept for the process: the same buttons open
// again and again (the record card has two), and decoding is most of what
// showing them costs. A file written since is decoded again. UI thread only.
struct CachedPicture {
    FILETIME written = {};
    ULONGLONG size = 0;
    std::shared_ptr<const CImage> image;
};

std::shared_ptr<const CImage> LoadPicture(LPCWSTR path)
{
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    if (!path || !::GetFileAttributesExW(path, GetFileExInfoStandard, &file))
        return nullptr;
    const ULONGLONG size = (static_cast<ULONGLONG>(file.nFileSizeHigh) << 32) | file.nFileSizeLow;
    static std::map<std::wstring, CachedPicture> cache;
    CachedPicture& cached = cache[path];
    if (cached.image && cached.size == size && ::CompareFileTime(&cached.written, &file.ftLastWriteTime) == 0)
        return cached.image;
    auto image = std::make_shared<CImage>();
    if (FAILED(image->Load(path))) {
        cache.erase(path);
        return nullptr;
    }
    cached = {file.ftLastWriteTime, size, image};
    return image;
}

} // namespace

BOOL CPictureButton::LoadImages(LPCWSTR normalFile, LPCWSTR pressedFile)
{
    m_normal = LoadPicture(normalFile);
    m_pressed.reset();
    m_pressedFile = pressedFile ? pressedFile : L"";
    return m_normal && pressedFile && ::GetFileAttributesW(pressedFile) != INVALID_FILE_ATTRIBUTES;
}

void CPictureButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    if (pressed && !m_pressedFile.empty()) {
        m_pressed = LoadPicture(m_pressedFile.c_str());
        m_pressedFile.clear();
    }
    const auto& image = pressed ? m_pressed : m_normal;
    if (image)
        image->Draw(item->hDC, item->rcItem);
}

LRESULT CPictureButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

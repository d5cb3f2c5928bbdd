#include "FakeCaptionManager.h"

#include "EcrGlobals.h"
#include "RegisterText.h"

// The codec reaches the caption manager through the program's global holder.
CCaptionManagerBase** g_ppCaptionMgr = nullptr;

FakeCaptionManager::FakeCaptionManager()
{
    g_ppCaptionMgr = &m_self;
}

FakeCaptionManager::~FakeCaptionManager()
{
    g_ppCaptionMgr = nullptr;
}

void FakeCaptionManager::Map(unsigned char byte, wchar_t ch)
{
    m_toChar[byte] = ch;
    m_toByte[ch] = byte;
}

void FakeCaptionManager::AddCaption(int wndNo, int captionNo, const wchar_t* text)
{
    auto cap = std::make_unique<S_ECR_CAP>();
    cap->Text = text;
    m_captions[{wndNo, captionNo}] = std::move(cap);
}

S_ECR_CAP* FakeCaptionManager::GetCaption(int wndNo, int captionNo)
{
    auto it = m_captions.find({wndNo, captionNo});
    return it == m_captions.end() ? nullptr : it->second.get();
}

void FakeCaptionManager::EcrToUnicode(const CStringA& bytes, CStringW& text)
{
    text.Empty();
    for (int i = 0; i < bytes.GetLength(); ++i) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        auto it = m_toChar.find(b);
        if (it != m_toChar.end()) {
            text += it->second;
        } else if (i + 1 < bytes.GetLength() && ::IsDBCSLeadByteEx(ThreadCodePage(), b)) {
            text += AnsiToText(bytes.GetString() + i, 2);
            ++i;
        } else {
            text += AnsiToText(bytes.GetString() + i, 1);
        }
    }
}

void FakeCaptionManager::UnicodeToEcr(const CStringW& text, CStringA& bytes)
{
    bytes.Empty();
    for (int i = 0; i < text.GetLength(); ++i) {
        auto it = m_toByte.find(text[i]);
        if (it != m_toByte.end())
            bytes += static_cast<char>(it->second);
        else
            bytes += TextToAnsi(CString(text[i]));
    }
}

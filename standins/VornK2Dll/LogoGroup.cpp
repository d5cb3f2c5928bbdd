#include "LogoGroup.h"

#include <vector>

#include "AtomicFile.h"
#include "LibraryState.h"
#include "ReportKind.h"

LogoGroup::LogoGroup(const Identity& id) : m_name(id.name), m_file(id.file), m_width(id.width), m_height(id.height)
{
    Name = m_name;
    FileName = m_file;
    LogoName = m_name;
    GroupType = GROUP_LOGO;
    GroupId = id.groupId;
    Enabled = 1;
    BitsPerPixel = 1;
    // Handed to the logo converter: size, depth, logo number.
    Params[0] = m_width;
    Params[1] = m_height;
    Params[2] = BitsPerPixel;
    Params[3] = id.groupId;
    std::vector<FieldSpec> dots(m_width, FieldSpec{L"Dot", id.captionNo, FIELD_U8, 1, CARD_HIDDEN});
    m_table = std::make_unique<EcrTable>(EcrTable::Layout{id.title, id.captionNo, 4, -1, m_height}, dots);
    Reset();
}

std::vector<BYTE> LogoGroup::ReadLogo(const wchar_t* folder, const wchar_t* file) const
{
    std::vector<BYTE> bits;
    if (!file)
        return bits;
    CString path = JoinPath(folder ? CString(folder) : LibraryState::Instance().Folder(), file);
    if (AtomicFile::Read(path, bits, static_cast<size_t>(FileSize())) != AtomicFile::ReadResult::Ok
        || static_cast<int>(bits.size()) != FileSize())
        bits.clear();
    return bits;
}

bool LogoGroup::ShowImage(const std::vector<BYTE>& bits)
{
    Image.DeleteObject();
    if (bits.empty())
        return false;
    // A monochrome bitmap shows 1 as white: invert the register's bits.
    std::vector<BYTE> inverted(bits.size());
    for (size_t i = 0; i < bits.size(); ++i)
        inverted[i] = static_cast<BYTE>(~bits[i]);
    return Image.Attach(::CreateBitmap(m_width, m_height, 1, 1, inverted.data())) != FALSE;
}

BOOL LogoGroup::LoadLogoPreview(const wchar_t* folder, const wchar_t* file)
{
    // A file that does not decode clears the preview, so no stale picture
    // stands for it.
    Loaded = ShowImage(ReadLogo(folder, file)) ? 1 : 0;
    return Loaded;
}

void LogoGroup::ReloadFromFolder(const wchar_t* folder)
{
    std::vector<BYTE> bits = ReadLogo(folder, m_file);
    std::vector<BYTE> dots(static_cast<size_t>(m_width) * m_height, 0);
    for (size_t i = 0; i < dots.size() && !bits.empty(); ++i)
        dots[i] = (bits[i / 8] >> (7 - i % 8)) & 1;
    m_table->Assign(std::move(dots));
    m_table->MarkSaved();
    Loaded = ShowImage(bits) ? 1 : 0;
}

void LogoGroup::Reset()
{
    // The table keeps its rows even unloaded: its size is the logo's size.
    m_table->Assign(std::vector<BYTE>(static_cast<size_t>(m_width) * m_height, 0));
    m_table->MarkSaved();
    Image.DeleteObject();
    Loaded = 0;
}

BOOL LogoGroup::LoadData(const wchar_t* folder)
{
    if (!Loaded)
        ReloadFromFolder(folder);
    return Loaded;
}

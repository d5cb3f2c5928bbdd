#pragma once

#include <cstddef>

#include "CEcrData.h"
#include "afx.h"

// A logo group (group type 5). FileName names the logo's file in the data
// folder; table 0 gives the width (field count) and height (record count).
class CEcrGraphic : public CEcrData
{
public:
    // Decodes a register logo file into Image; TRUE leaves Image set and Loaded nonzero.
    virtual BOOL LoadLogoPreview(const wchar_t* folder, const wchar_t* file) = 0;

    int BitsPerPixel = 1;
    CBitmap Image;
    const wchar_t* LogoName = nullptr;  // part of the converted files' names
    int Params[5] = {};                 // handed to the logo conversion program

protected:
    CEcrGraphic() = default;
    ~CEcrGraphic() = default;
};

static_assert(sizeof(CBitmap) == ByBuild(8, 16));
// In the 64-bit build BitsPerPixel takes the tail padding of the common part.
static_assert(offsetof(CEcrGraphic, BitsPerPixel) == ByBuild(36, 52));
static_assert(offsetof(CEcrGraphic, Image) == ByBuild(40, 56));
static_assert(offsetof(CEcrGraphic, Image.m_hObject) == ByBuild(44, 64));
static_assert(offsetof(CEcrGraphic, LogoName) == ByBuild(48, 72));
static_assert(offsetof(CEcrGraphic, Params) == ByBuild(52, 80));
static_assert(sizeof(CEcrGraphic) == ByBuild(72, 104));

// The logo view of a group, or null for any other group type.
inline CEcrGraphic* AsGraphic(CEcrData* data)
{
    return data && data->GroupType == GROUP_LOGO ? static_cast<CEcrGraphic*>(data) : nullptr;
}

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

static_assert(sizeof(CBitmap) == 8);
static_assert(offsetof(CEcrGraphic, BitsPerPixel) == 36);
static_assert(offsetof(CEcrGraphic, Image) == 40);
static_assert(offsetof(CEcrGraphic, Image.m_hObject) == 44);
static_assert(offsetof(CEcrGraphic, LogoName) == 48);
static_assert(offsetof(CEcrGraphic, Params) == 52);
static_assert(sizeof(CEcrGraphic) == 72);

// The logo view of a group, or null for any other group type.
inline CEcrGraphic* AsGraphic(CEcrData* data)
{
    return data && data->GroupType == GROUP_LOGO ? static_cast<CEcrGraphic*>(data) : nullptr;
}

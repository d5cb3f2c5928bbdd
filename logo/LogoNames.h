// File names of logo conversion.
#pragma once

#include "afx.h"

// The converted file's name: the source name in upper case (letters a to z
// only), every ".BMP" in it replaced by "_<logo name>.ECR". photo.bmp for
// LOGO1 gives PHOTO_LOGO1.ECR.
CString LogoOutputName(const CString& source, const wchar_t* logoName);

// Whether a file name is a converted file of the logo: it ends in "_",
// the logo name and ".ecr", in any case.
bool IsLogoFileOf(const wchar_t* fileName, const wchar_t* logoName);

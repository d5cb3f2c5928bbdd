#pragma once
// The Unicode text of a data object or of the clipboard, as a paste sees it.
#include <string>

#include "ole.h"

// "<none>" when the object holds no Unicode text.
std::wstring DataText(const COleDataObject& data);
std::wstring ClipboardText();

#pragma once

#include <vector>

#include "EcrTable.h"

// One report the register produces: its key (also the report id on the
// communication command line), the start of its file names, its row layout
// and the range values a request for it takes.
struct ReportKind
{
    int key;
    const wchar_t* prefix;
    EcrTable::Layout layout;
    std::vector<FieldSpec> fields;
    int rangeCount;
    int rangeMin;
    int rangeMax;
};

// The folder name of a date: eight digits, year first.
CString DateFolderName(const FILETIME& time);
// folder + "\" + name, with no doubled backslash.
CString JoinPath(const CString& folder, const wchar_t* name);

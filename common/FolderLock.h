#pragma once

#include "afx.h"

// Marks a data folder as open in this copy of the program, for every copy on
// the machine, so two copies never edit the same files and overwrite each
// other's saves. The mark is a named kernel mutex keyed on the folder's full
// path, case-insensitively: the system drops it with the last handle, so a
// copy that crashed leaves nothing marked.
class FolderLock
{
public:
    FolderLock() = default;
    // Takes the mark of folder (a relative path counts from the current
    // folder); holds nothing when another holder, in any process, has it.
    explicit FolderLock(const CString& folder);
    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Held() const { return m_mutex != nullptr; }
    // True when this holds the mark of folder, however the path is written.
    bool Holds(const CString& folder) const;

private:
    void Release();

    HANDLE m_mutex = nullptr;
    CString m_name;  // the mutex name, which identifies the folder
};

#pragma once

#include "afx.h"

// Marks a data folder as open in this copy of the program, for every copy on
// the machine, so two copies never edit the same files and overwrite each
// other's saves. The mark is a named kernel mutex keyed on the folder's
// identity, its volume serial number and file index, so every name of the
// folder (another drive letter, a mapped or network path, a junction) finds
// it. A folder that cannot be opened (one that does not exist yet) is keyed
// on its full path, case-insensitively, as is one whose file system gives no
// file index; while a copy holds such a path, the folder is refused under
// that path once it exists too. The system drops the mutex with the last
// handle, so a copy that crashed leaves nothing marked.
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
    // True when this holds the mark of folder, by whatever name.
    bool Holds(const CString& folder) const;

private:
    void Release();

    HANDLE m_mutex = nullptr;
    CString m_name;  // the mutex name: the folder's identity, or its path
};

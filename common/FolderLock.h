#pragma once

#include "afx.h"

// Marks a data folder as open in this copy of the program, for every copy on
// the machine, so two copies never edit the same files and overwrite each
// other's saves. The mark is a named kernel mutex keyed on the folder's
// identity, its volume serial number and file index, so every name of the
// folder (another drive letter, a mapped or network path, a junction) finds
// it. A folder that does not exist yet (the first write creates it) is keyed
// on the identity of the nearest folder above it that exists and the rest
// of its path, case-insensitively, so every name of that folder finds the
// mark, before the folder is created and after; a mark takes the folder's
// own identity when it exists. Where no folder of the path has a file index
// the full path is the key. The system drops the mutex with the last
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
    CString m_name;  // the mutex name
};

#pragma once

#include "TillwireCodes.h"
#include "afx.h"

// The simulated register: a folder holding the register's data as the files
// of the demo model's data folder (one file per data group, raw reports as
// *.VKR). Every write goes to a temporary file first and then replaces the
// target, so a failed transfer leaves the old file as it was.
class RegisterFolder
{
public:
    // folder ends in a backslash.
    explicit RegisterFolder(const CString& folder) : m_folder(folder) {}

    // Copies the group's file from the data folder into the register.
    TillwireExitCode SendGroup(int groupId, const CString& dataFolder, CString& message) const;
    // Copies the group's file from the register into the data folder.
    TillwireExitCode ReceiveGroup(int groupId, const CString& dataFolder, CString& message) const;
    // Writes the register's raw report of that id into the data folder,
    // under the name the register gave it.
    TillwireExitCode ReceiveReport(int reportId, const CString& dataFolder, CString& message) const;

    // The data group file of a group id ("" when the register has no such group).
    static CString GroupFileName(int groupId);

private:
    // The raw report file of that id in the register ("" when none).
    CString FindReport(int reportId) const;

    CString m_folder;
};

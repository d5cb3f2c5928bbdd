// Folder trees: listing, copying, and the byte-for-byte comparison of a
// written tree with a reference tree.
#pragma once

#include <string>
#include <vector>

// The files under root as paths relative to it ("Data\DEPT.VK2"), sorted
// without regard to case. Programs (*.exe) and logs (*.log) are left out:
// the written folder holds the stand-ins that ran there, and their logs
// hold local times.
std::vector<std::wstring> FilesUnder(const std::wstring& root);

// What differs, one line per file: a reference file not written, a written
// file the reference lacks, or the first differing byte with the bytes
// around it in both. Names match without regard to case, as on Windows.
// Empty when the trees hold the same files with the same bytes.
std::vector<std::string> CompareFolders(const std::wstring& reference, const std::wstring& written);

// Copies everything under `from` into the existing folder `to`, subfolders
// included; false when anything was not copied.
bool CopyTree(const std::wstring& from, const std::wstring& to);
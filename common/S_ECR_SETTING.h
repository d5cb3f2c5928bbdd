#pragma once

#include <cstddef>

#include "afx.h"

// The program's configuration, read from "Tilldesk.ini" in the current
// directory and the model list at construction and written back by the
// destructor. The model library receives a pointer to it, so the field order
// and sizes are fixed; each field is named after its ini key.
struct S_ECR_SETTING
{
    using ModelMapType = CMap<CString, const CString&, CString, const CString&>;

    S_ECR_SETTING();
    ~S_ECR_SETTING();
    S_ECR_SETTING(const S_ECR_SETTING&) = delete;
    S_ECR_SETTING& operator=(const S_ECR_SETTING&) = delete;

    void LoadSettings();
    // Writes the settings file and keeps everything. False when the file
    // could not be read or written (a read-only folder or file);
    // GetLastError() then says why.
    bool WriteSettings() const;
    // The write at exit: as WriteSettings, then empties the model map, which
    // marks the settings as saved.
    bool SaveSettings();
    // "<current directory>\Tilldesk.ini".
    static CString FilePath();

    CString DataPath;
    CString EcrName;
    CString Language;
    CString CapPath;
    CString BmpPath;
    int Level = 0;
    int IpREG = 0;  // IPv4 address as the address control stores it; 0 = serial or USB
    CString Tillwire;
    CString Tillmark;
    CString LogoAnim;
    int PortNo = 0;
    int BaudRate = 0;
    int ByteSize = 0;
    int Parity = 0;
    CString SAnime;
    CString RAnime;
    CString ListPath;
    ModelMapType ModelMap;  // model name -> model library path
    CString ToolName;
    CString EcrBmp;
    CString LogoBmp;
    int CapEdit = 0;
    int AutoPopup = 0;
    CString ModelDllPath;  // library of the model chosen on the model-choice screen
};

static_assert(offsetof(S_ECR_SETTING, DataPath) == 0);
static_assert(offsetof(S_ECR_SETTING, Level) == ByBuild(20, 40));
static_assert(offsetof(S_ECR_SETTING, IpREG) == ByBuild(24, 44));
static_assert(offsetof(S_ECR_SETTING, PortNo) == ByBuild(40, 72));
static_assert(offsetof(S_ECR_SETTING, ListPath) == ByBuild(64, 104));
static_assert(offsetof(S_ECR_SETTING, ModelMap) == ByBuild(68, 112));
static_assert(sizeof(S_ECR_SETTING::ModelMapType) == ByBuild(28, 56));
static_assert(offsetof(S_ECR_SETTING, ToolName) == ByBuild(96, 168));
static_assert(offsetof(S_ECR_SETTING, CapEdit) == ByBuild(108, 192));
static_assert(offsetof(S_ECR_SETTING, AutoPopup) == ByBuild(112, 196));
static_assert(offsetof(S_ECR_SETTING, ModelDllPath) == ByBuild(116, 200));
static_assert(sizeof(S_ECR_SETTING) == ByBuild(120, 208), "settings record shared with the model library");

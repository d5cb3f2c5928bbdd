// Starts the staged program folder as a separate process and walks it as a
// person would: the model choice, Select, every function of the function
// menu and back, in English and then in Japanese, the exit question (No,
// then Yes), exit code 0 and the settings file written; then once more with
// a settings file that cannot be written, which the program reports at exit.
// A second copy on the same data folder leaves it closed; a copy started from
// another working folder still finds its own files.
//
//   shipped_walk <program folder>

#include <cstdio>
#include <functional>
#include <string>

#include "ProgramDriver.h"
#include "ScreenReport.h"
#include "Steps.h"
#include "TempFolder.h"
#include "Walk.h"
#include "WindowPicture.h"
#include "resource.h"

namespace {

void Print(const std::wstring& line)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), n, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
    std::fflush(stdout);
}

std::wstring FullPath(const wchar_t* path)
{
    wchar_t full[MAX_PATH];
    DWORD n = ::GetFullPathNameW(path, MAX_PATH, full, nullptr);
    Require(n > 0 && n < MAX_PATH, L"bad folder");
    std::wstring folder(full, n);
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    return folder;
}

// The model-choice screen, checked and pictured.
HWND ModelChoice(Walk& walk, HWND screen)
{
    HWND select = ProgramDriver::Control(screen, IDC_SELECT);
    std::wstring text = ProgramDriver::Text(select);
    Require(text == walk.Say(L"Select (&S)", L"選択 (&S)"), L"Select reads \"" + text + L"\"");
    std::wstring label = ProgramDriver::Text(ProgramDriver::Control(screen, IDC_IP_LABEL));
    Require(label == walk.Say(L"Register IP address", L"レジスター　ＩＰアドレス"),
            L"the address label reads \"" + label + L"\"");
    walk.Picture(screen, L"model-choice", select);
    // The title names the model and its folder; the product line is the settings'.
    walk.CheckLayout(screen, L"model choice", {0, IDC_TITLE_TEXT});
    return screen;
}

void ChooseLanguage(Walk& walk, HWND screen)
{
    HWND combo = ProgramDriver::Control(screen, IDC_LANGUAGE_COMBO);
    LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(walk.language.c_str()));
    Require(index != CB_ERR, L"the language list lacks " + walk.language);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::PostMessageW(screen, WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    walk.program.Settle();
}

HWND OpenMenu(Walk& walk, HWND modelChoice)
{
    ProgramDriver::Click(modelChoice, IDC_SELECT);
    walk.menu = walk.program.WaitForScreen(modelChoice);
    HWND back = ProgramDriver::Control(walk.menu, IDC_SEL_BACK);
    std::wstring text = ProgramDriver::Text(back);
    Require(text == walk.Say(L"Back", L"戻る"), L"Back reads \"" + text + L"\"");
    walk.Picture(walk.menu, L"function-menu", ProgramDriver::Control(walk.menu, IDC_SEL_DEPT));
    walk.CheckLayout(walk.menu, L"function menu", {0});
    return walk.menu;
}

HWND BackToModelChoice(Walk& walk)
{
    ProgramDriver::Click(walk.menu, IDC_SEL_BACK);
    HWND screen = walk.program.WaitForScreen(walk.menu);
    Require(ProgramDriver::IsShown(screen, IDC_SELECT), L"Back did not lead to the model choice");
    walk.menu = nullptr;
    return screen;
}

// Asks to exit with the close box and answers the question with the button.
void AnswerExitQuestion(Walk& walk, HWND screen, int answer)
{
    ::PostMessageW(screen, WM_CLOSE, 0, 0);
    HWND box = walk.program.WaitForDialogOver(screen);
    const wchar_t* question = walk.Say(L"Do you really want to exit?", L"終了してもよろしいですか？");
    HWND text = ::FindWindowExW(box, nullptr, L"Static", question);
    Require(text != nullptr, L"the exit question reads otherwise");
    if (answer == IDNO) {
        walk.Picture(box, L"exit-question", text);
        // Title and buttons are the system's.
        walk.CheckLayout(box, L"exit question", {0, IDYES, IDNO});
    }
    ProgramDriver::Click(box, answer);
    if (answer == IDNO) {
        walk.program.WaitGone(box);
        Require(::IsWindowVisible(screen) != FALSE, L"answering No closed the screen");
    }
}

void CheckSettingsFile(const std::wstring& folder, const FILETIME& started, const std::wstring& language)
{
    std::wstring path = folder + L"\\Tilldesk.ini";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    Require(file != INVALID_HANDLE_VALUE, L"no settings file");
    FILETIME written = {};
    BYTE bom[2] = {};
    DWORD read = 0;
    ::GetFileTime(file, nullptr, nullptr, &written);
    ::ReadFile(file, bom, 2, &read, nullptr);
    ::CloseHandle(file);
    Require(::CompareFileTime(&written, &started) >= 0, L"the settings file was not written at exit");
    Require(read == 2 && bom[0] == 0xFF && bom[1] == 0xFE, L"the settings file is not UTF-16LE");
    wchar_t value[64] = {};
    ::GetPrivateProfileStringW(L"DEFAULT", L"Language", L"", value, 64, path.c_str());
    Require(language == value, L"the settings file keeps language \"" + std::wstring(value) + L"\"");
}

// With a folder where the settings file belongs, the program cannot write its
// settings at exit: it says so once, naming the file, and still ends with 0.
void UnwritableSettingsAreReported(const std::wstring& folder)
{
    const std::wstring ini = folder + L"\\Tilldesk.ini";
    const std::wstring kept = ini + L".kept";
    Require(::MoveFileW(ini.c_str(), kept.c_str()) && ::CreateDirectoryW(ini.c_str(), nullptr),
            L"the settings file could not be replaced by a folder");
    struct Restore
    {
        const std::wstring& ini;
        const std::wstring& kept;
        ~Restore()
        {
            ::RemoveDirectoryW(ini.c_str());
            ::MoveFileW(kept.c_str(), ini.c_str());
        }
    } restore{ini, kept};

    ProgramDriver program;
    program.Start(folder);
    HWND screen = program.WaitForScreen(nullptr, 30000);
    ::PostMessageW(screen, WM_CLOSE, 0, 0);
    HWND question = program.WaitForDialogOver(screen);
    ProgramDriver::Click(question, IDYES);
    program.WaitGone(question);
    HWND box = program.WaitForDialogOver(screen);
    std::wstring message = ProgramDriver::Text(ProgramDriver::MessageOf(box));
    const size_t named = message.find(ini + L"\n(");
    Require(named != std::wstring::npos && message.size() > named + ini.size() + 3 && message.back() == L')',
            L"the exit message \"" + message + L"\" names no settings file and no reason");
    SaveWindowPicture(box, L"shipped-settings-not-saved");
    ProgramDriver::Click(box, IDOK);
    DWORD code = program.WaitForExit(15000);
    Require(code == 0, L"exit code " + std::to_wstring(code));
}

// Exits at the model choice: the close box, then Yes; exit code 0.
void ExitFromModelChoice(ProgramDriver& program, HWND screen)
{
    ::PostMessageW(screen, WM_CLOSE, 0, 0);
    HWND question = program.WaitForDialogOver(screen);
    ProgramDriver::Click(question, IDYES);
    DWORD code = program.WaitForExit(15000);
    Require(code == 0, L"exit code " + std::to_wstring(code));
}

// A second copy on the data folder the first has open says so, naming the
// folder, at start-up and again at Select, and leaves the folder closed.
void SecondCopyLeavesTheFolderClosed(const Walk& walk)
{
    ProgramDriver second;
    second.Start(walk.folder);
    HWND screen = second.WaitForScreen(nullptr, 30000);
    auto upper = [](std::wstring text) {
        ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
        return text;
    };
    const std::wstring data = upper(walk.folder + L"\\Data");
    auto saysSo = [&](const wchar_t* when) {
        HWND box = second.WaitForDialogOver(screen);
        const std::wstring message = ProgramDriver::Text(ProgramDriver::MessageOf(box));
        Require(upper(message).find(data) != std::wstring::npos,
                std::wstring(when) + L": \"" + message + L"\" names no data folder");
        ProgramDriver::Click(box, IDOK);
        second.WaitGone(box);
    };
    saysSo(L"at start-up");
    ProgramDriver::Click(screen, IDC_SELECT);
    saysSo(L"at Select");
    Require(ProgramDriver::IsShown(screen, IDC_SELECT), L"the second copy left the model choice");
    ExitFromModelChoice(second, screen);
}

// Started with another working folder (a shortcut's "Start in"), the program
// reads its own settings all the same: the shipped model, whose PLU table
// shows the sample data; the settings go back beside the program.
void StartedFromAnotherFolder(Walk& walk)
{
    TempFolder elsewhere;
    ProgramDriver program;
    program.Start(walk.folder, elsewhere.Path());
    HWND screen = program.WaitForScreen(nullptr, 30000);
    const std::wstring title = ProgramDriver::Text(screen);
    Require(title.rfind(L"02 VORN-K2 - ", 0) == 0, L"the model choice reads \"" + title + L"\"");
    Walk there{program, walk.language, nullptr, walk.captions, walk.folder};
    ProgramDriver::Click(screen, IDC_SELECT);
    there.menu = program.WaitForScreen(screen);
    for (int i = 0; i < kStepCount; ++i)
        if (std::wstring(kSteps[i].name) == L"PLU")
            kSteps[i].run(there);
    ProgramDriver::Click(there.menu, IDC_SEL_BACK);
    screen = program.WaitForScreen(there.menu);
    ExitFromModelChoice(program, screen);
    Require(::GetFileAttributesW(elsewhere.File(L"Tilldesk.ini").c_str()) == INVALID_FILE_ATTRIBUTES,
            L"the settings were written into the working folder");
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        Print(L"usage: shipped_walk <program folder>");
        return 2;
    }
    int passed = 0;
    int failed = 0;
    std::wstring where = L"start";
    auto step = [&](const std::wstring& name, const std::function<void()>& run) {
        where = name;
        run();
        ++passed;
        Print(L"ok   " + name);
    };

    ProgramDriver program;
    const CaptionLanguages captions(std::wstring(argv[1]) + L"\\Cap");
    Walk walk{program, L"ENG", nullptr, captions, L""};
    try {
        std::wstring folder = FullPath(argv[1]);
        walk.folder = folder;
        FILETIME started;
        ::GetSystemTimeAsFileTime(&started);
        HWND screen = nullptr;
        step(L"start", [&] {
            // Caption editing on, as a translator sets it: the walk edits a caption.
            const std::wstring ini = folder + L"\\Tilldesk.ini";
            Require(::WritePrivateProfileStringW(L"OPTION", L"CapEdit", L"1", ini.c_str()) != FALSE,
                    L"the settings file cannot be written");
            ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, ini.c_str());
            program.Start(folder);
            screen = ModelChoice(walk, program.WaitForScreen(nullptr, 30000));
        });
        step(L"second copy on the same folder", [&] { SecondCopyLeavesTheFolderClosed(walk); });
        for (const wchar_t* language : {L"ENG", L"JPN"}) {
            if (walk.language != language) {
                walk.language = language;
                step(walk.language + L" captions", [&] {
                    ChooseLanguage(walk, screen);
                    ModelChoice(walk, screen);
                });
            }
            step(walk.language + L" Select", [&] { OpenMenu(walk, screen); });
            for (int i = 0; i < kStepCount; ++i)
                step(walk.language + L" " + kSteps[i].name, [&] { kSteps[i].run(walk); });
            step(walk.language + L" Back", [&] { screen = BackToModelChoice(walk); });
            step(walk.language + L" exit question, No", [&] { AnswerExitQuestion(walk, screen, IDNO); });
        }
        step(L"exit question, Yes", [&] {
            AnswerExitQuestion(walk, screen, IDYES);
            DWORD code = program.WaitForExit(15000);
            Require(code == 0, L"exit code " + std::to_wstring(code));
        });
        step(L"settings file", [&] { CheckSettingsFile(folder, started, walk.language); });
        step(L"settings that cannot be saved", [&] { UnwritableSettingsAreReported(folder); });
        step(L"started from another folder", [&] { StartedFromAnotherFolder(walk); });
    } catch (const StepFailed& failure) {
        ++failed;
        Print(L"FAIL " + where + L": " + failure.what);
        // Before the program is ended: what it showed, and what its helpers logged.
        Print(L"What was on screen:\n" + ScreenReport(program.ProcessId(), walk.folder));
    }
    Print(L"shipped: " + std::to_wstring(passed) + L" passed, " + std::to_wstring(failed) + L" failed");
    return failed == 0 ? 0 : 1;
}

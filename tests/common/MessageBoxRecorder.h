// Answers the program's message boxes in tests and records what was asked.
// Boxes may come from worker threads as well as from the test's own thread.
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "msgbox.h"

class MessageBoxRecorder
{
public:
    struct Box
    {
        std::wstring text;
        std::wstring caption;
        UINT type;
        HWND owner;
        DWORD threadId;  // the thread that raised it
    };

    // Installs itself as the message-box handler until destroyed.
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // Answers to give, in order; when none is left, IDOK (or IDYES for yes/no boxes).
    void Answer(int button);
    // Runs while a box is "open", e.g. to post messages that must get through.
    void WhileOpen(void (*action)()) { m_whileOpen = action; }

    // A copy: workers may add boxes meanwhile.
    std::vector<Box> Boxes() const;
    size_t Count() const;
    void Clear();

private:
    static int Handle(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

    mutable std::mutex m_lock;
    std::deque<int> m_answers;
    std::vector<Box> m_boxes;
    void (*m_whileOpen)() = nullptr;
    AfxMessageBoxHandler m_previous;
};

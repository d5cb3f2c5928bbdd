// Answers the program's message boxes in tests and records what was asked.
#pragma once

#include <deque>
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
    };

    // Installs itself as the message-box handler until destroyed.
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // Answers to give, in order; when none is left, IDOK (or IDYES for yes/no boxes).
    void Answer(int button) { m_answers.push_back(button); }
    // Runs while a box is "open", e.g. to post messages that must get through.
    void WhileOpen(void (*action)()) { m_whileOpen = action; }

    const std::vector<Box>& Boxes() const { return m_boxes; }
    void Clear() { m_boxes.clear(); }

private:
    static int Handle(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

    std::deque<int> m_answers;
    std::vector<Box> m_boxes;
    void (*m_whileOpen)() = nullptr;
    AfxMessageBoxHandler m_previous;
};

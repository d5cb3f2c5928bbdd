#include "MessageBoxRecorder.h"

#include <atomic>

namespace {
std::atomic<MessageBoxRecorder*> g_current = nullptr;
}

MessageBoxRecorder::MessageBoxRecorder()
{
    m_previous = AfxSetMessageBoxHandler(&MessageBoxRecorder::Handle);
    g_current = this;
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    AfxSetMessageBoxHandler(m_previous);
    g_current = nullptr;
}

void MessageBoxRecorder::Answer(int button)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_answers.push_back(button);
}

std::vector<MessageBoxRecorder::Box> MessageBoxRecorder::Boxes() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_boxes;
}

size_t MessageBoxRecorder::Count() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_boxes.size();
}

void MessageBoxRecorder::Clear()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_boxes.clear();
}

int MessageBoxRecorder::Handle(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    MessageBoxRecorder* self = g_current;
    if (!self)
        return IDCANCEL;
    {
        std::lock_guard<std::mutex> hold(self->m_lock);
        self->m_boxes.push_back(Box{text, caption, type, owner, ::GetCurrentThreadId()});
    }
    if (self->m_whileOpen)
        self->m_whileOpen();
    std::lock_guard<std::mutex> hold(self->m_lock);
    if (!self->m_answers.empty()) {
        int answer = self->m_answers.front();
        self->m_answers.pop_front();
        return answer;
    }
    UINT buttons = type & MB_TYPEMASK;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}

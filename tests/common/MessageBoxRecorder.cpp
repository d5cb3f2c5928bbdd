#include "MessageBoxRecorder.h"

namespace {
MessageBoxRecorder* g_current = nullptr;
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

int MessageBoxRecorder::Handle(HWND, LPCWSTR text, LPCWSTR caption, UINT type)
{
    MessageBoxRecorder* self = g_current;
    self->m_boxes.push_back(Box{text, caption, type});
    if (self->m_whileOpen)
        self->m_whileOpen();
    if (!self->m_answers.empty()) {
        int answer = self->m_answers.front();
        self->m_answers.pop_front();
        return answer;
    }
    UINT buttons = type & MB_TYPEMASK;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}

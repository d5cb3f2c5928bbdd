#pragma once

#include <windows.h>

// The named event through which a dialog cancels its worker's child
// program. It exists only while a run is in progress, so its existence
// tells any dialog, in this or another instance of the program, that a run
// of the same kind is going on.
class CCancelEvent
{
public:
    enum class CreateResult { Created, InUse, Failed };

    CCancelEvent() = default;
    ~CCancelEvent() { Close(); }
    CCancelEvent(const CCancelEvent&) = delete;
    CCancelEvent& operator=(const CCancelEvent&) = delete;

    // Creates the event (auto-reset, not signalled) unless one of that name exists.
    CreateResult Create(const wchar_t* name);
    void Close();
    // One cancel press.
    void Signal() const;
    // Takes a pending press, if there is one.
    bool TakePending() const;

    HANDLE Handle() const { return m_handle; }

private:
    HANDLE m_handle = nullptr;
};

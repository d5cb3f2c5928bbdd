#pragma once

// The exit codes of the communication program, Tillwire.exe. The transfer
// dialog logs them in hexadecimal, treats every code but 0 as a failure and
// says what the codes listed here mean (TillwireCodeMeaning).
enum TillwireExitCode : unsigned
{
    TW_OK = 0,
    TW_BAD_COMMAND_LINE = 0xE0000001,
    TW_UNKNOWN_ID = 0xE0000002,      // no such group or report on this register
    TW_INPUT_MISSING = 0xE0000003,   // the file to send or receive is missing or unreadable
    TW_WRITE_FAILED = 0xE0000004,    // nothing was changed
    TW_OFFLINE = 0xE0000005,         // the register does not answer
    TW_NO_SUCH_PORT = 0xE0000006,
    TW_CANCELLED = 0xE0000007,       // the window was asked to close
    TW_BAD_SETTING = 0xE0000008,     // Tillwire.ini holds a setting that cannot be read; nothing was moved
};

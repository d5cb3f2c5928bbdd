// Rewrites one file through AtomicFile until it is killed: each generation
// is the whole file filled with one byte. Signals the named event once the
// first rewrite has begun.
//   interrupted_writer <file> <size> <event name>
#include <string>
#include <vector>

#include "AtomicFile.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4)
        return 2;
    const size_t size = std::wcstoul(argv[2], nullptr, 10);
    HANDLE started = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
    if (!started)
        return 3;
    std::vector<char> bytes(size);
    for (unsigned generation = 0;; ++generation) {
        bytes.assign(size, static_cast<char>('a' + generation % 26));
        if (generation == 0)
            ::SetEvent(started);
        if (!AtomicFile::Write(argv[1], bytes.data(), bytes.size()))
            return 4;
    }
}

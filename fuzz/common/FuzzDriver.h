#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A broken invariant: the driver stops and keeps the input.
struct FuzzFailure : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

#define FUZZ_CHECK(condition, what)                  \
    do {                                             \
        if (!(condition))                            \
            throw FuzzFailure(std::string(what));    \
    } while (0)

// Runs `check` on the kept regression inputs of the driver
// (fuzz/regressions/<name>/*), the seeds, then `count` mutated seeds.
// A crash, a hang (one input over 10 s) or a FuzzFailure writes the input to
// fuzz-failures\<name>-<seed>-<n>.bin in the current folder and ends the
// process with a failure code; otherwise it prints the inputs run and
// returns 0. Arguments: [count] [seed].
int RunFuzzDriver(int argc, wchar_t** argv, const char* name, const std::vector<std::string>& seeds,
                  const std::function<void(const std::string& input)>& check);

// The bytes of a file ("" when missing), and every file matching a pattern.
std::string ReadSample(const std::wstring& path);
std::vector<std::string> ReadSamples(const std::wstring& pattern);

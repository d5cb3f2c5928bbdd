// Every kind of written file is byte for byte the committed reference, so
// that either build writes what the other writes; and the comparison names
// what differs.
#include <gtest/gtest.h>

#include "FolderTree.h"
#include "MessageBoxRecorder.h"
#include "RegisterText.h"
#include "TempFolder.h"
#include "WrittenSet.h"

namespace {

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

} // namespace

TEST(WrittenFiles, EveryKindIsByteForByteTheReference)
{
    ASSERT_EQ(932u, ThreadCodePage()) << "register text is Shift-JIS: run with LC_ALL=ja_JP.UTF-8";
    MessageBoxRecorder boxes;
    ASSERT_NO_FATAL_FAILURE(WrittenSet::WriteEveryKind());
    EXPECT_EQ(0u, boxes.Count()) << "a writer told of a failure";
    const std::vector<std::string> problems = CompareFolders(WrittenSet::ReferenceFolder(), WrittenSet::kRoot);
    EXPECT_TRUE(problems.empty()) << "C:\\TilldeskWritten differs from tests/written/expected "
                                     "(refresh it only for a format changed on purpose, see README.md):\n"
                                  << Lines(problems);
}

TEST(FolderComparison, NamesTheFirstDifferingByteAndMissingAndExtraFiles)
{
    TempFolder reference, written;
    ASSERT_TRUE(::CreateDirectoryW(reference.File(L"Sub").c_str(), nullptr));
    reference.Write(L"Same.bin", "same");
    reference.Write(L"Changed.bin", "0123456789abcdefghij");
    reference.Write(L"Longer.bin", "abcd");
    reference.Write(L"Sub\\Missing.bin", "x");
    written.Write(L"SAME.BIN", "same");  // names match without regard to case
    written.Write(L"Changed.bin", "0123456789abcdeXghij");
    written.Write(L"Longer.bin", "abc");
    written.Write(L"Extra.bin", "y");
    written.Write(L"Tillwire.exe", "program");
    written.Write(L"Tillwire.log", "a local time");

    const std::vector<std::string> problems = CompareFolders(reference.Path(), written.Path());
    ASSERT_EQ(4u, problems.size()) << Lines(problems);
    EXPECT_EQ("Changed.bin: first differs at byte 15; sizes 20 (reference) and 20 (written)\n"
              "    reference: 37 38 39 61 62 63 64 65 [66] 67 68 69 6A \n"
              "    written:   37 38 39 61 62 63 64 65 [58] 67 68 69 6A ",
              problems[0]);
    EXPECT_EQ("Longer.bin: first differs at byte 3; sizes 4 (reference) and 3 (written)\n"
              "    reference: 61 62 63 [64] \n"
              "    written:   61 62 63 [end]",
              problems[1]);
    EXPECT_EQ("Sub\\Missing.bin: in the reference, not written", problems[2]);
    EXPECT_EQ("Extra.bin: written, not in the reference", problems[3]);
    EXPECT_TRUE(CompareFolders(reference.Path(), reference.Path()).empty());
}

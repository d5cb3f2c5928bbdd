#include "GroupFile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "AtomicFile.h"
#include "EcrTable.h"

namespace {

constexpr char kMagic[4] = {'V', 'K', '2', 'D'};
constexpr uint16_t kVersion = 1;
constexpr size_t kHeaderSize = 16;
constexpr size_t kTableHeaderSize = 8;
constexpr size_t kFileLimit = 256u << 20;

struct FileHeader
{
    char magic[4];
    uint16_t version;
    uint16_t tableCount;
    uint32_t groupId;
    uint32_t reserved;
};
static_assert(sizeof(FileHeader) == kHeaderSize);
// Written whole: the offsets README.md gives, in either build.
static_assert(offsetof(FileHeader, version) == 4 && offsetof(FileHeader, tableCount) == 6 &&
              offsetof(FileHeader, groupId) == 8 && offsetof(FileHeader, reserved) == 12);

struct TableHeader
{
    uint32_t recordSize;
    uint32_t recordCount;
};
static_assert(sizeof(TableHeader) == kTableHeaderSize && offsetof(TableHeader, recordCount) == 4);

} // namespace

GroupFile::Result GroupFile::Read(const CString& path, int groupId, const std::vector<EcrTable*>& tables)
{
    for (EcrTable* t : tables)
        t->Clear();
    std::vector<BYTE> bytes;
    switch (AtomicFile::Read(path, bytes, kFileLimit)) {
    case AtomicFile::ReadResult::Missing:
        return Result::Missing;
    case AtomicFile::ReadResult::Failed:
        return Result::Damaged;
    case AtomicFile::ReadResult::Ok:
        break;
    }
    FileHeader header;
    if (bytes.size() < kHeaderSize)
        return Result::Damaged;
    std::memcpy(&header, bytes.data(), kHeaderSize);
    if (std::memcmp(header.magic, kMagic, 4) != 0 || header.version != kVersion || header.groupId != static_cast<uint32_t>(groupId)
        || header.reserved != 0)
        return Result::Damaged;

    Result result = header.tableCount == tables.size() ? Result::Ok : Result::Damaged;
    size_t pos = kHeaderSize;
    for (size_t i = 0; i < tables.size() && i < header.tableCount; ++i) {
        TableHeader th;
        if (bytes.size() - pos < kTableHeaderSize)
            return Result::Damaged;
        std::memcpy(&th, &bytes[pos], kTableHeaderSize);
        pos += kTableHeaderSize;
        EcrTable& table = *tables[i];
        if (th.recordSize != static_cast<uint32_t>(table.RecordSize()))
            return Result::Damaged;
        uint64_t want = uint64_t(th.recordSize) * th.recordCount;
        uint64_t have = bytes.size() - pos;
        uint64_t take = want < have ? want : have;
        if (th.recordCount > static_cast<uint32_t>(table.Capacity()))
            result = Result::Damaged;
        table.Assign(std::vector<BYTE>(bytes.begin() + pos, bytes.begin() + pos + static_cast<size_t>(take)));
        if (take < want)
            return Result::Damaged;
        pos += static_cast<size_t>(want);
    }
    return pos == bytes.size() ? result : Result::Damaged;
}

bool GroupFile::Write(const CString& path, int groupId, const std::vector<EcrTable*>& tables)
{
    FileHeader header = {};
    std::memcpy(header.magic, kMagic, 4);
    header.version = kVersion;
    header.tableCount = static_cast<uint16_t>(tables.size());
    header.groupId = static_cast<uint32_t>(groupId);
    std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(&header), reinterpret_cast<const BYTE*>(&header) + kHeaderSize);
    for (const EcrTable* t : tables) {
        TableHeader th = {static_cast<uint32_t>(t->RecordSize()), static_cast<uint32_t>(t->Count())};
        bytes.insert(bytes.end(), reinterpret_cast<const BYTE*>(&th), reinterpret_cast<const BYTE*>(&th) + kTableHeaderSize);
        bytes.insert(bytes.end(), t->Records().begin(), t->Records().end());
    }
    return AtomicFile::Write(path, bytes.data(), bytes.size());
}

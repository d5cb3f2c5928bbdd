#include "EcrTable.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <numeric>
#include <set>
#include <string>

#include "FieldCodec.h"

namespace {

void CopyLabel(S_ECR_LABEL& label, const wchar_t* text, int captionNo)
{
    label.CaptionNo = captionNo;
    wcsncpy(label.DefaultText, text, 63);
    label.DefaultText[63] = 0;
}

} // namespace

EcrTable::EcrTable(const Layout& layout, const std::vector<FieldSpec>& fields)
    : m_storage(new BYTE[sizeof(S_ECR_TABLE) + fields.size() * sizeof(S_ECR_FIELD)]()),
      m_table(reinterpret_cast<S_ECR_TABLE*>(m_storage.get())),
      m_capacity(layout.capacity),
      m_uniqueField(layout.uniqueField)
{
    CopyLabel(m_table->Label, layout.name, layout.captionNo);
    m_table->FieldCount = static_cast<int>(fields.size());
    m_table->SortKey = layout.sortKey;
    m_table->Level = layout.level;
    int offset = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldSpec& spec = fields[i];
        S_ECR_FIELD& f = m_table->Fields()[i];
        CopyLabel(f.Label, spec.label, spec.captionNo);
        f.Flags = spec.flags;
        f.CardKind = spec.cardKind;
        f.CheckMode = spec.checkMode;
        f.Width = spec.width;
        f.Minimum = spec.minimum;
        f.Maximum = spec.maximum;
        f.Level = spec.level;
        f.LookupWndNo = spec.lookupWndNo;
        f.LookupTable = spec.lookupTable;
        f.LookupField = spec.lookupField;
        f.Offset = offset;
        offset += FieldByteLength(f);
    }
    m_table->RecordSize = offset;
}

void EcrTable::SetRule(int field, FieldRuleValidator::Rule rule)
{
    if (!m_validator) {
        m_validator = std::make_unique<FieldRuleValidator>();
        m_table->Validator = m_validator.get();
    }
    m_validator->SetRule(field, rule);
}

void EcrTable::Assign(std::vector<BYTE> records)
{
    size_t size = static_cast<size_t>(RecordSize());
    size_t count = size ? std::min(records.size() / size, static_cast<size_t>(m_capacity)) : 0;
    records.resize(count * size);
    m_records = std::move(records);
    m_table->RecordCount = static_cast<int>(count);
    m_table->RecordData = m_records.empty() ? nullptr : m_records.data();
}

int EcrTable::ChangedRecords() const
{
    size_t size = static_cast<size_t>(RecordSize());
    if (size == 0)
        return 0;
    size_t now = m_records.size() / size;
    size_t before = m_saved.size() / size;
    size_t common = std::min(now, before);
    int changed = static_cast<int>(std::max(now, before) - common);
    for (size_t i = 0; i < common; ++i)
        if (std::memcmp(&m_records[i * size], &m_saved[i * size], size) != 0)
            ++changed;
    return changed;
}

int EcrTable::FindDuplicateKey() const
{
    if (m_uniqueField < 0 || m_uniqueField >= FieldCount())
        return -1;
    const S_ECR_FIELD& f = Field(m_uniqueField);
    int length = FieldByteLength(f);
    std::set<std::string> seen;
    for (int r = 0; r < Count(); ++r) {
        const BYTE* key = FieldPtr(m_table, r, m_uniqueField);
        if (key && !seen.insert(std::string(reinterpret_cast<const char*>(key), length)).second)
            return r;
    }
    return -1;
}

void EcrTable::Sort()
{
    int key = m_table->SortKey;
    if (key < 0 || key >= FieldCount() || Count() < 2)
        return;
    bool text = Field(key).Type() == FIELD_TEXT;
    std::vector<CString> texts(Count());
    std::vector<double> values(Count());
    for (int r = 0; r < Count(); ++r) {
        FormatFieldExact(&Field(key), FieldPtr(m_table, r, key), texts[r]);
        values[r] = wcstod(texts[r], nullptr);
    }
    std::vector<int> order(Count());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return text ? texts[a].Compare(texts[b]) < 0 : values[a] < values[b];
    });
    size_t size = static_cast<size_t>(RecordSize());
    std::vector<BYTE> sorted(m_records.size());
    for (size_t i = 0; i < order.size(); ++i)
        std::memcpy(&sorted[i * size], &m_records[order[i] * size], size);
    Assign(std::move(sorted));
}

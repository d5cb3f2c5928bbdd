#include "TableFiller.h"

#include "FieldCodec.h"

void TableFiller::Add(std::initializer_list<CString> texts)
{
    size_t start = m_bytes.size();
    m_bytes.resize(start + m_table.RecordSize(), 0);
    int c = 0;
    for (const CString& text : texts) {
        if (c >= m_table.FieldCount())
            break;
        const S_ECR_FIELD& field = m_table.Field(c++);
        ParseField(&field, text, m_bytes.data() + start + field.Offset);
    }
}

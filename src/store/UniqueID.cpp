#include "store/UniqueID.h"

namespace store {

UniqueID::UniqueID(DatabaseKind kind) : TableRecord(kind)
{
    m_tableName = "UniqueID";
    BindText(m_TableName, "TableName", "varchar(50)");
    BindInteger(m_NextID, "NextID", "integer");
}

UniqueID::~UniqueID() = default;

std::int32_t UniqueID::StartValue() const
{
    return Kind() == DatabaseKind::Inspection ? 1000 : 25000;
}

bool UniqueID::OpenCounter(const std::string& name)
{
    return OpenSql("SELECT * FROM UniqueID WHERE TableName = \"%s\"", {name});
}

std::int32_t UniqueID::GetNextID(const std::string& name)
{
    OpenCounter(name);
    if (GetCount() == 0) {
        New();
        m_TableName = name;
        m_NextID = StartValue();
    } else {
        Read(0);
        if (Kind() == DatabaseKind::Inspection)
            m_NextID = m_NextID + 1;
        else
            m_NextID = m_NextID >= 0 ? m_NextID + 1 : StartValue();
    }
    Save();
    return m_NextID;
}

std::int32_t UniqueID::ReserveBlock(const std::string& name, int count)
{
    OpenCounter(name);
    if (GetCount() == 0) {
        // A missing counter is created standing at its start value less one, so
        // that the block begins where a single allocation would have.
        New();
        m_TableName = name;
        m_NextID = StartValue() - 1;
    } else {
        Read(0);
    }
    const std::int32_t first = m_NextID + 1;
    m_NextID = m_NextID + count + 1;
    Save();
    return first;
}

void ReservedBlock::Reserve(DatabaseKind kind, const std::string& name, int count)
{
    if (m_left > 0 || count <= 0)
        return;
    m_next = UniqueID(kind).ReserveBlock(name, count);
    m_left = count;
}

std::int32_t ReservedBlock::Take(DatabaseKind kind, const std::string& name)
{
    if (m_left > 0) {
        --m_left;
        return m_next++;
    }
    return UniqueID(kind).GetNextID(name);
}

} // namespace store

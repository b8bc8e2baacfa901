#pragma once
// The identifier counters of one database: one row per counter name holding the
// identifier handed out last. Identifiers never come from the database itself.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class UniqueID : public TableRecord {
public:
    explicit UniqueID(DatabaseKind kind);
    ~UniqueID() override;

    // The next identifier of counter `name`; a new counter starts at 1000 in the
    // inspection database and 25000 in the template database.
    std::int32_t GetNextID(const std::string& name);
    bool OpenCounter(const std::string& name);
    // Takes a block of `count` identifiers in one request and returns its first;
    // with the stored value v the block is v+1..v+count and v+count+1 is stored.
    std::int32_t ReserveBlock(const std::string& name, int count);

    std::string m_TableName;
    std::int32_t m_NextID = 0;

private:
    std::int32_t StartValue() const;
};

// A record object's block of reserved identifiers.
class ReservedBlock {
public:
    // Reserves `count` identifiers of counter `name` unless some are left.
    void Reserve(DatabaseKind kind, const std::string& name, int count);
    // The next reserved identifier, or a single one from the counter when none is left.
    std::int32_t Take(DatabaseKind kind, const std::string& name);
    int Left() const { return m_left; }

private:
    int m_left = 0;
    std::int32_t m_next = 0;
};

} // namespace store

#pragma once
// The inspector and the company printed on reports (one row).
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class Owner : public TableRecord {
public:
    Owner();
    ~Owner() override;

    std::string m_Name;
    std::string m_Company;
    std::string m_Address;
    std::string m_WorkAreaCode;
    std::string m_WorkPhone;
    std::string m_FaxAreaCode;
    std::string m_FaxNumber;
};

} // namespace store

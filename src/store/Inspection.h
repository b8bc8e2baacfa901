#pragma once
// One inspection: one job at one address for one client.
#include "store/TableRecord.h"

#include <cstdint>
#include <string>

namespace store {

class Inspection : public TableRecord {
public:
    Inspection();
    ~Inspection() override;

    // Reads row `index` and formats the date and time texts.
    void Read(int index);
    // Starts a new inspection with an identifier from the counter "Inspection".
    void New();
    bool OpenByID(int inspectionID);

    // Whether an inspection other than `exceptInspectionID` has the Doc #
    // `docNumber`, letter case ignored. An empty Doc # is never in use.
    static bool DocNumberInUse(const std::string& docNumber, int exceptInspectionID = -1);

    std::int32_t m_InspectionID = 0;
    std::string m_DwellingAddress;
    std::string m_ClientName;
    std::string m_AgentName;
    std::string m_String4;
    std::string m_InspectionComments;
    DateTime m_InspectionDate;
    std::string m_DocType;
    std::int32_t m_YesNo8 = 0;
    std::int32_t m_YesNo9 = 0;
    std::int32_t m_Number10 = 0;
    std::string m_InspectionNum;
    std::string m_String12;
    std::string m_DwellingCityStateZip;
    std::string m_ClientAddress;
    std::string m_ClientCityStateZip;
    std::int32_t m_DocTypeID = 0;
    std::string m_RealEstateCompany;
    std::string m_MaterialVoids; // not kept by the staging copy

    // "%d/%d/%d" (month/day/year) and "%d:%d" of InspectionDate, filled by Read.
    std::string m_DateText;
    std::string m_TimeText;

protected:
    // The staging copy: same columns but MaterialVoids.
    Inspection(const char* table, bool withMaterialVoids);
};

// The staging copy of an imported inspection.
class MERGE_Inspection : public Inspection {
public:
    MERGE_Inspection();
    ~MERGE_Inspection() override;
};

} // namespace store

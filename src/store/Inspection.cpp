#include "store/Inspection.h"

#include "store/UniqueID.h"

namespace store {

Inspection::Inspection() : Inspection("Inspection", true) {}

Inspection::Inspection(const char* table, bool withMaterialVoids) : TableRecord(DatabaseKind::Inspection)
{
    m_tableName = table;
    BindInteger(m_InspectionID, "InspectionID");
    BindText(m_DwellingAddress, "DwellingAddress");
    BindText(m_ClientName, "ClientName");
    BindText(m_AgentName, "AgentName");
    BindText(m_String4, "String4");
    BindText(m_InspectionComments, "InspectionComments");
    BindDate(m_InspectionDate, "InspectionDate");
    BindText(m_DocType, "DocType");
    BindYesNo(m_YesNo8, "YesNo8");
    BindYesNo(m_YesNo9, "YesNo9");
    BindInteger(m_Number10, "Number10");
    BindText(m_InspectionNum, "InspectionNum");
    BindText(m_String12, "String12");
    BindText(m_DwellingCityStateZip, "DwellingCityStateZip");
    BindText(m_ClientAddress, "ClientAddress");
    BindText(m_ClientCityStateZip, "ClientCityStateZip");
    BindInteger(m_DocTypeID, "DocTypeID");
    BindText(m_RealEstateCompany, "RealEstateCompany");
    if (withMaterialVoids)
        BindText(m_MaterialVoids, "MaterialVoids");
}

Inspection::~Inspection() = default;

void Inspection::Read(int index)
{
    TableRecord::Read(index);
    m_DateText = m_InspectionDate.DateText();
    m_TimeText = m_InspectionDate.TimeText();
}

void Inspection::New()
{
    TableRecord::New();
    // The staging copy draws from the same counter.
    m_InspectionID = UniqueID(DatabaseKind::Inspection).GetNextID("Inspection");
}

bool Inspection::OpenByID(int inspectionID)
{
    return OpenSql("SELECT * FROM %s WHERE InspectionID = %d", {m_tableName, inspectionID});
}

bool Inspection::DocNumberInUse(const std::string& docNumber, int exceptInspectionID)
{
    if (docNumber.empty())
        return false;
    Inspection inspection;
    return inspection.OpenSql("SELECT * FROM Inspection WHERE lower(InspectionNum) = lower(\"%s\") AND InspectionID <> %d",
                              {docNumber, exceptInspectionID}) &&
           inspection.GetCount() > 0;
}

MERGE_Inspection::MERGE_Inspection() : Inspection("MERGE_Inspection", false) {}

MERGE_Inspection::~MERGE_Inspection() = default;

} // namespace store

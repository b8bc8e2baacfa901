#include "exchange/StagedInspections.h"

#include "store/Inspection.h"
#include "store/TableRecord.h"

#include <charconv>

namespace exchange {
namespace {

class StagedCounts : public store::TableRecord {
public:
    StagedCounts() : TableRecord(store::DatabaseKind::Inspection)
    {
        m_tableName = "MERGE_Category";
        BindInteger(m_InspectionID);
        BindInteger(m_Categories);
        BindInteger(m_Steps);
    }
    std::int32_t m_InspectionID = 0;
    std::int32_t m_Categories = 0;
    std::int32_t m_Steps = 0;
};

} // namespace

std::vector<StagedInspection> StagedInspections::List()
{
    std::vector<StagedInspection> list;
    store::MERGE_Inspection staged;
    if (!staged.OpenSql("SELECT * FROM MERGE_Inspection ORDER BY InspectionID"))
        return list;
    for (int i = 0; i < staged.GetCount(); ++i) {
        staged.Read(i);
        list.push_back({staged.m_InspectionID, staged.m_ClientName, staged.m_DwellingAddress,
                        staged.m_DwellingCityStateZip, staged.m_InspectionNum, 0, 0});
    }
    StagedCounts counts;
    if (counts.OpenSql("SELECT c.InspectionID, COUNT(DISTINCT c.CategoryID), COUNT(s.StepID) FROM MERGE_Category c "
                       "LEFT JOIN MERGE_Step s ON s.CategoryID = c.CategoryID GROUP BY c.InspectionID")) {
        for (int i = 0; i < counts.GetCount(); ++i) {
            counts.Read(i);
            for (auto& s : list)
                if (s.inspectionID == counts.m_InspectionID) {
                    s.categories = counts.m_Categories;
                    s.steps = counts.m_Steps;
                }
        }
    }
    return list;
}

std::string StagedInspections::Line(const StagedInspection& s)
{
    return std::to_string(s.inspectionID) + "\t" + s.clientName + "\t" + s.dwellingAddress + "\t" +
           s.dwellingCityStateZip + "\t" + s.inspectionNum;
}

bool StagedInspections::Exists(int stagedInspectionID)
{
    store::MERGE_Inspection staged;
    return staged.OpenByID(stagedInspectionID) && staged.GetCount() > 0;
}

int StagedInspections::FromLine(const std::string& line)
{
    const std::string head = line.substr(0, line.find('\t'));
    int id = -1;
    const auto [end, ec] = std::from_chars(head.data(), head.data() + head.size(), id);
    if (head.empty() || ec != std::errc() || end != head.data() + head.size() || id == -1)
        return -1;
    return Exists(id) ? id : -1;
}

} // namespace exchange

// The merge of a staged inspection into a new working inspection made from
// its header: an imported inspection needs no inspection to exist first.
#include "exchange/InspectionMerge.h"

#include "store/Database.h"
#include "store/Inspection.h"
#include "ui/Port.h"

namespace exchange {

std::string InspectionMerge::FreeDocNumber(const std::string& docNumber)
{
    if (!store::Inspection::DocNumberInUse(docNumber))
        return docNumber;
    for (int n = 2; n < 10000; ++n) {
        const std::string candidate = docNumber + " (" + std::to_string(n) + ")";
        if (!store::Inspection::DocNumberInUse(candidate))
            return candidate;
    }
    return {};
}

bool InspectionMerge::MergeIntoNew(int stagedInspectionID, const std::string& docNumber)
{
    ui::Port& port = ui::CurrentPort();
    m_outcome = MergeOutcome{};
    store::MERGE_Inspection staged;
    if (!staged.OpenByID(stagedInspectionID) || staged.GetCount() == 0) {
        port.inform("There is no imported inspection with the ID " + std::to_string(stagedInspectionID) + ".");
        return false;
    }
    staged.Read(0);
    if (docNumber.empty()) {
        port.inform("The new inspection needs a Doc #.");
        return false;
    }
    if (store::Inspection::DocNumberInUse(docNumber)) {
        port.inform("The Doc # " + docNumber + " is in use by another inspection; choose another, for example " +
                    FreeDocNumber(docNumber) + ".");
        return false;
    }

    store::Transaction transaction(store::DatabaseKind::Inspection);
    if (!transaction.Active()) {
        port.inform("The merge was undone; nothing was changed.");
        return false;
    }
    store::Inspection created;
    created.New();
    created.m_InspectionNum = docNumber;
    created.m_ClientName = staged.m_ClientName;
    created.m_ClientAddress = staged.m_ClientAddress;
    created.m_ClientCityStateZip = staged.m_ClientCityStateZip;
    created.m_DwellingAddress = staged.m_DwellingAddress;
    created.m_DwellingCityStateZip = staged.m_DwellingCityStateZip;
    created.m_AgentName = staged.m_AgentName;
    created.m_RealEstateCompany = staged.m_RealEstateCompany;
    created.m_DocType = staged.m_DocType;
    created.m_DocTypeID = staged.m_DocTypeID;
    created.m_InspectionDate = staged.m_InspectionDate;
    if (!created.Save()) {
        port.inform("The merge was undone; nothing was changed.");
        return false;
    }
    const int createdID = created.m_InspectionID;
    if (!Merge(createdID, stagedInspectionID))
        return false; // the transaction is rolled back with the new inspection
    if (!transaction.Commit()) {
        m_outcome = MergeOutcome{};
        port.inform("The merge was undone; nothing was changed.");
        return false;
    }
    m_outcome.createdInspectionID = createdID;
    return true;
}

} // namespace exchange

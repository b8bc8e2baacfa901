#include "ExchangeTestData.h"

#include "store/Database.h"
#include "support/TempDataFiles.h"

#include <fstream>
#include <iterator>

namespace exchange_test {

int AddInspection(const std::string& docNumber, const std::string& docType, int docTypeID)
{
    store::Inspection inspection;
    inspection.New();
    inspection.m_InspectionNum = docNumber;
    inspection.m_DocType = docType;
    inspection.m_DocTypeID = docTypeID;
    inspection.m_ClientName = "Client " + docNumber;
    inspection.m_DwellingAddress = "12 Elm Street";
    inspection.m_DwellingCityStateZip = "Minneapolis, MN 55401";
    inspection.m_InspectionDate = store::DateTime::Make(2024, 7, 4, 9, 5);
    inspection.Save();
    return inspection.m_InspectionID;
}

int AddCategory(int inspectionID, const CategoryData& c)
{
    store::Category category;
    category.New();
    category.m_CategoryTitle = c.title;
    category.m_CategoryNumber = c.number;
    category.m_String3 = c.string3;
    category.m_CategoryComments = c.comments;
    category.m_CategoryComplete = c.complete;
    category.m_CategoryNotPresent = c.notPresent;
    category.m_InspectionID = inspectionID;
    category.m_CategoryTemplateID = c.templateID;
    category.m_Type = c.type;
    category.Save();
    store::Step step;
    step.ReserveIDs(static_cast<int>(c.steps.size()));
    for (const auto& s : c.steps) {
        step.New();
        step.m_CategoryID = category.m_CategoryID;
        step.m_StepNumber = s.number;
        step.m_StepTitle = s.title;
        step.m_InspectResult = s.result;
        step.m_Comments = s.comments;
        step.m_Materials = s.materials;
        step.m_StepRatingType = s.ratingType;
        step.m_String8 = s.string8;
        step.m_MaterialList = s.materialList;
        step.m_StepTemplateID = s.templateID;
        step.m_YesNo11 = s.yesNo11;
        step.m_MajorSystem = s.majorSystem;
        step.m_StepInfoExists = s.infoExists;
        step.m_SummaryComment = s.summary;
        step.m_BitmapPath = s.bitmap;
        step.m_PictureBefore = s.pictureBefore;
        step.Save();
    }
    return category.m_CategoryID;
}

namespace {

template <class C, class S>
std::vector<CategoryData> Read(int inspectionID)
{
    std::vector<CategoryData> out;
    C category;
    category.OpenByInspection(inspectionID);
    for (int i = 0; i < category.GetCount(); ++i) {
        category.Read(i);
        CategoryData c{category.m_CategoryTitle,      category.m_CategoryNumber,     category.m_String3,
                       category.m_CategoryComments,   category.m_CategoryComplete,   category.m_CategoryNotPresent,
                       category.m_CategoryTemplateID, category.m_Type,               {}};
        S step;
        step.OpenByCategory(category.m_CategoryID);
        for (int k = 0; k < step.GetCount(); ++k) {
            step.Read(k);
            c.steps.push_back({step.m_StepNumber, step.m_StepTitle, step.m_InspectResult, step.m_Comments,
                               step.m_Materials, step.m_StepRatingType, step.m_String8, step.m_MaterialList,
                               step.m_MajorSystem, step.m_SummaryComment, step.m_BitmapPath, step.m_StepTemplateID,
                               step.m_YesNo11, step.m_StepInfoExists, step.m_PictureBefore});
        }
        out.push_back(std::move(c));
    }
    return out;
}

} // namespace

std::vector<CategoryData> ReadCategories(int inspectionID, bool staged)
{
    return staged ? Read<store::MERGE_Category, store::MERGE_Step>(inspectionID)
                  : Read<store::Category, store::Step>(inspectionID);
}

StepData FullStep(int n, const std::string& title)
{
    const std::string k = std::to_string(n);
    StepData s;
    s.number = k;
    s.title = title;
    s.result = n % 3 == 0 ? "Marginal" : "Satisfactory";
    s.comments = "Comment " + k + ": the flashing is loose.\r\n\r\nSee picture ***Picture-" + k + ";Scaling=50***";
    s.materials = "Asphalt shingles;Other:cedar shakes;";
    s.ratingType = "Standard";
    s.string8 = "s8-" + k;
    s.materialList = "Asphalt shingles+;Metal;Other:;";
    s.majorSystem = "Roof";
    s.summary = "Summary " + k;
    s.bitmap = "/pictures/" + k + ".jpg";
    s.templateID = 25000 + n;
    s.yesNo11 = -1;
    s.infoExists = n % 2 ? -1 : 0;
    s.pictureBefore = n % 2 ? 0 : -1;
    return s;
}

int AddLargeInspection(const std::string& docNumber, int categoryCount, int stepsPerCategory)
{
    const int id = AddInspection(docNumber, "Home Inspection");
    store::Transaction transaction(store::DatabaseKind::Inspection);
    for (int c = 0; c < categoryCount; ++c) {
        CategoryData category;
        category.title = "Room " + std::to_string(c + 1);
        category.number = std::to_string(c + 1);
        category.comments = "Category comment " + std::to_string(c);
        for (int s = 0; s < stepsPerCategory; ++s)
            category.steps.push_back(FullStep(s + 1, "Item " + std::to_string(s + 1)));
        AddCategory(id, category);
    }
    transaction.Commit();
    return id;
}

long long Count(const std::string& sql)
{
    return testing_support::QueryInt(static_cast<int>(store::DatabaseKind::Inspection), sql);
}

long long StagedRows()
{
    return Count("SELECT (SELECT count(*) FROM MERGE_Inspection) + (SELECT count(*) FROM MERGE_Category) + "
                 "(SELECT count(*) FROM MERGE_Step)");
}

std::string Describe(const StepData& s)
{
    std::string out;
    for (const std::string& field : {s.number, s.title, s.result, s.comments, s.materials, s.ratingType, s.string8,
                                     s.materialList, s.majorSystem, s.summary, s.bitmap})
        out += field + "|";
    for (int value : {s.templateID, s.yesNo11, s.infoExists, s.pictureBefore})
        out += std::to_string(value) + "|";
    out.pop_back();
    return out;
}

std::string Describe(const CategoryData& c)
{
    std::string out = c.title + "|" + c.number + "|" + c.string3 + "|" + c.comments;
    for (int value : {c.complete, c.notPresent, c.templateID, c.type, static_cast<int>(c.steps.size())})
        out += "|" + std::to_string(value);
    return out;
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace exchange_test

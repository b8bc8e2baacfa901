#include "app/CInspectorDoc.h"

#include "app/DocumentRules.h"
#include "app/StepDefaults.h"
#include "store/CategoryTemplate.h"
#include "store/Comments.h"
#include "store/Database.h"
#include "store/Field.h"
#include "store/FieldTemplate.h"
#include "store/InspectionType.h"
#include "store/Options.h"
#include "store/RatingType.h"
#include "store/StepTemplate.h"
#include "text/Windows1252.h"
#include "ui/Port.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace app {
namespace {

CInspectorDoc* g_document = nullptr;

constexpr auto kInspectionData = store::DatabaseKind::Inspection;

// A category of form type 1 is a form of fields, not a list of steps.
constexpr int kFormCategory = 1;

constexpr const char* kNoSuchRecord = "Attempting to select a record that does not exist.";
constexpr const char* kDocTypeQuestion =
    "Warning! Changing the Doc Type will remove all categories and steps for this inspection  Tap OK to continue "
    "changing the Doc Type. \r\r Do you wish to proceed?";

ui::Port& Port()
{
    return ui::CurrentPort();
}

std::unique_ptr<ui::Progress> MakeProgress(bool shown)
{
    if (shown)
        return Port().progress();
    return std::make_unique<ui::NullProgress>();
}

int NumberOf(const std::string& text)
{
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

// A change of the inspection database that lands whole or not at all, ended
// before the document reads the outcome back.
class Change {
public:
    Change() { m_transaction.emplace(kInspectionData); }
    bool Active() const { return m_transaction && m_transaction->Active(); }
    // Commits when everything went well, otherwise rolls back. True when the change landed.
    bool End(bool ok)
    {
        if (!m_transaction)
            return false;
        ok = ok && m_transaction->Commit();
        m_transaction.reset();
        return ok;
    }

private:
    std::optional<store::Transaction> m_transaction;
};

// Rating type names by identifier, read once per operation.
class RatingNames {
public:
    std::string operator()(int id)
    {
        if (!m_loaded) {
            m_loaded = true;
            store::RatingType types;
            if (types.Open())
                for (int i = 0; i < types.GetCount(); ++i) {
                    types.Read(i);
                    m_names.emplace(types.m_ID, types.m_RatingType); // the first row of an identifier counts
                }
        }
        auto it = m_names.find(id);
        return it == m_names.end() ? std::string() : it->second;
    }

private:
    bool m_loaded = false;
    std::unordered_map<int, std::string> m_names;
};

// The columns of a step template that steps are made from.
struct TemplateStep {
    int id = 0;
    std::string name;
    std::string number;
    int ratingTypeID = 0;
    bool hasInfo = false;
    std::string keyword;
};

TemplateStep TemplateStepOf(const store::StepTemplate& t)
{
    return {t.m_ID, t.m_StepName, t.m_StepNumber, t.m_RatingTypeID, HasStepInformation(t.m_StepInfo), t.m_Keyword};
}

bool ReadTemplateSteps(int categoryTemplateID, std::vector<TemplateStep>& out)
{
    store::StepTemplate templates;
    if (!templates.OpenByCategoryTemplate(categoryTemplateID))
        return false;
    for (int i = 0; i < templates.GetCount(); ++i) {
        templates.Read(i);
        out.push_back(TemplateStepOf(templates));
    }
    return true;
}

// A new step as seeding makes it from its template (the step has been started with New).
void FillFromTemplate(store::Step& step, const TemplateStep& t, RatingNames& ratings)
{
    step.m_StepTitle = t.name;
    step.m_StepNumber = t.number;
    step.m_MajorSystem = MajorSystemOf(t.keyword);
    step.m_StepTemplateID = t.id;
    step.m_StepRatingType = ratings(t.ratingTypeID);
    step.m_StepInfoExists = t.hasInfo ? -1 : 0;
}

struct FieldValues {
    std::string assignedValue;
    int sequenceNumber = 0;
    int fieldType = 0;
    std::string fieldLabel;
};

bool ReadFields(int categoryID, std::vector<FieldValues>& out)
{
    store::Field fields;
    if (!fields.OpenByCategory(categoryID))
        return false;
    for (int i = 0; i < fields.GetCount(); ++i) {
        fields.Read(i);
        out.push_back({fields.m_AssignedValue, fields.m_SequenceNumber, fields.m_FieldType, fields.m_FieldLabel});
    }
    return true;
}

bool AddFields(store::Field& field, int categoryID, const std::vector<FieldValues>& values)
{
    for (const auto& v : values) {
        field.New();
        field.m_CategoryID = categoryID;
        field.m_AssignedValue = v.assignedValue;
        field.m_SequenceNumber = v.sequenceNumber;
        field.m_FieldType = v.fieldType;
        field.m_FieldLabel = v.fieldLabel;
        if (!field.Save())
            return false;
    }
    return true;
}

} // namespace

// A step of the source category of a duplication with data.
struct CInspectorDoc::StepRow {
    TemplateStep templ;
    std::string title, inspectResult, comments, materials, string8, materialList, majorSystem, summaryComment,
        bitmapPath;
    int pictureBefore = 0;
};

CInspectorDoc::CInspectorDoc()
    : m_inspections(std::make_unique<store::Inspection>()),
      m_categories(std::make_unique<store::Category>()),
      m_steps(std::make_unique<store::Step>())
{
    g_document = this;
    if (!ReloadInspections(0) && AddEmptyInspection())
        ReloadInspections(0);
    EmptyCategorySelection();
    m_firstTime = true;
}

CInspectorDoc::~CInspectorDoc()
{
    if (g_document == this)
        g_document = nullptr;
}

CInspectorDoc* CInspectorDoc::Current()
{
    return g_document;
}

void CInspectorDoc::Notify(const std::function<void()>& f) const
{
    if (f)
        f();
}

void CInspectorDoc::ShowView(int view) const
{
    if (m_observer.showView)
        m_observer.showView(view);
}

bool CInspectorDoc::ReloadInspections(int row)
{
    m_inspections->Open();
    const int count = m_inspections->GetCount();
    if (count == 0) {
        m_inspectionRow = -1;
        return false;
    }
    if (row < 0)
        row = 0;
    if (row >= count)
        row = count - 1;
    m_inspections->Read(row);
    m_inspectionRow = row;
    return true;
}

int CInspectorDoc::RowOfInspection(int inspectionID)
{
    const int count = m_inspections->GetCount();
    for (int i = 0; i < count; ++i) {
        m_inspections->Read(i);
        if (m_inspections->m_InspectionID == inspectionID)
            return i;
    }
    return count - 1;
}

std::optional<int> CInspectorDoc::AddEmptyInspection()
{
    store::Inspection inspection;
    inspection.New();
    inspection.m_DocType.clear();
    inspection.m_DocTypeID = -1;
    if (!inspection.Save())
        return std::nullopt;
    return inspection.m_InspectionID;
}

bool CInspectorDoc::OnNewDocument()
{
    if (m_firstTime) {
        m_firstTime = false;
        Notify(m_observer.showInspection);
        return true;
    }
    NewInspection();
    return true;
}

void CInspectorDoc::NewInspection()
{
    const auto id = AddEmptyInspection();
    if (!id)
        return;
    m_inspections->Open();
    ReloadInspections(RowOfInspection(*id));
    EmptyCategorySelection();
    ShowView(kInspectionSetupView);
    Notify(m_observer.showInspection);
}

void CInspectorDoc::ConfirmNewInspection()
{
    if (Port().confirm("Are you sure you want to create a new inspection?", "Warning"))
        NewInspection();
}

int CInspectorDoc::GetInspectionCount() const
{
    return m_inspections->GetCount();
}

bool CInspectorDoc::SaveInspection()
{
    return m_inspectionRow >= 0 && m_inspections->Save();
}

std::vector<InspectionSummary> CInspectorDoc::InspectionList() const
{
    std::vector<InspectionSummary> list;
    store::Inspection inspections;
    if (!inspections.Open())
        return list;
    for (int i = 0; i < inspections.GetCount(); ++i) {
        inspections.Read(i);
        list.push_back({i, inspections.m_InspectionID, inspections.m_ClientName, inspections.m_DwellingAddress,
                        inspections.m_DwellingCityStateZip, inspections.m_InspectionNum, inspections.m_DocType});
    }
    return list;
}

bool CInspectorDoc::SelectInspection(int row)
{
    m_inspections->Open();
    if (row < 0 || row >= m_inspections->GetCount()) {
        Port().inform(kNoSuchRecord);
        // Stay on the current inspection; the set was read again, so read its row again too.
        ReloadInspections(m_inspectionRow);
        return false;
    }
    m_inspections->Read(row);
    m_inspectionRow = row;
    EmptyCategorySelection();
    return true;
}

bool CInspectorDoc::SelectInspectionByID(int inspectionID)
{
    const int before = m_inspectionRow;
    m_inspections->Open();
    for (int i = 0; i < m_inspections->GetCount(); ++i) {
        m_inspections->Read(i);
        if (m_inspections->m_InspectionID == inspectionID) {
            m_inspectionRow = i;
            EmptyCategorySelection();
            return true;
        }
    }
    ReloadInspections(before);
    return false;
}

void CInspectorDoc::FillCategorySelection()
{
    m_categories->OpenByInspection(m_inspectionRow >= 0 ? m_inspections->m_InspectionID : -1);
    m_categoriesFilled = true;
    m_categoryRow = -1;
}

void CInspectorDoc::EmptyCategorySelection()
{
    m_categoriesFilled = false;
    m_categoryRow = -1;
    m_categoryListTopRow = 0;
    m_stepsCategoryID = -1;
    m_steps->OpenByCategory(-1);
}

int CInspectorDoc::GetCategoryCount()
{
    WaitForDocTypeChange();
    if (!m_categoriesFilled || m_categories->GetCount() == 0)
        FillCategorySelection();
    return m_categories->GetCount();
}

store::Category* CInspectorDoc::StandOnCategory(int row)
{
    if (row < 0 || row >= GetCategoryCount())
        return nullptr;
    m_categories->Read(row);
    m_categoryRow = row;
    return m_categories.get();
}

bool CInspectorDoc::SelectCategory(int row)
{
    if (GetCategoryCount() == 0) {
        Port().inform("No Category records in current selection.");
        return false;
    }
    if (!StandOnCategory(row)) {
        Port().inform(kNoSuchRecord);
        return false;
    }
    m_stepsCategoryID = m_categories->m_CategoryID;
    return m_steps->OpenByCategory(m_stepsCategoryID);
}

bool CInspectorDoc::ConfirmDocTypeChange(const std::string& oldType, const std::string& newType)
{
    if (oldType == newType)
        return true;
    if (oldType.empty()) {
        // A first choice needs no question, unless the inspection already has categories.
        store::Category categories;
        categories.OpenByInspection(m_inspectionRow >= 0 ? m_inspections->m_InspectionID : -1);
        if (categories.GetCount() == 0)
            return true;
    }
    return Port().ask(kDocTypeQuestion, "Data Alert", ui::Buttons::OkCancel, ui::Icon::Exclamation) ==
           ui::Answer::Ok;
}

std::optional<std::string> CInspectorDoc::FindDocType(const std::string& name)
{
    store::InspectionType types;
    if (!types.Open())
        return std::nullopt;
    std::optional<std::string> exact, other;
    for (int i = 0; i < types.GetCount(); ++i) {
        types.Read(i);
        if (types.m_InspectionType == name)
            exact = types.m_InspectionType;
        else if (text::EqualsIgnoreCase(types.m_InspectionType, name))
            other = types.m_InspectionType;
    }
    return exact ? exact : other;
}

bool CInspectorDoc::ChangeDocType(const std::string& name)
{
    m_pendingDocType = name;
    if (m_inspectionRow < 0)
        return false;
    store::Inspection& inspection = *m_inspections;
    Change change;
    bool ok = change.Active();

    // The identifier of the type. Names are looked up as the template queries
    // compare them, without regard to letter case; an exact match wins.
    store::InspectionType types;
    ok = ok && types.Open();
    std::optional<int> exactID, otherID;
    std::string exactName, otherName;
    for (int i = 0; ok && i < types.GetCount(); ++i) {
        types.Read(i);
        if (types.m_InspectionType == name) {
            exactID = types.m_ID; // with several equal names the last one wins
            exactName = types.m_InspectionType;
        } else if (text::EqualsIgnoreCase(types.m_InspectionType, name)) {
            otherID = types.m_ID;
            otherName = types.m_InspectionType;
        }
    }
    const std::optional<int> typeID = exactID ? exactID : otherID;
    const std::string typeName = exactID ? exactName : otherID ? otherName : name;
    inspection.m_DocType = typeName;

    // An unknown name keeps the old identifier, and then the old type's
    // automatic comments must not be added a second time.
    if (ok && typeID) {
        inspection.m_DocTypeID = *typeID;
        store::Comments comments;
        ok = comments.OpenLinked(store::Comments::DocTypeLink, *typeID);
        for (int i = 0; ok && i < comments.GetCount(); ++i) {
            comments.Read(i);
            if (auto addition = AutomaticCommentText(comments.m_Comments))
                AppendAutomaticComment(inspection.m_InspectionComments, *addition);
        }
    }
    ok = ok && DeleteInspectionData(false);
    ok = ok && CreateCategoriesOfDocType(typeName);
    ok = change.End(ok && inspection.Save());
    if (!ok)
        ReloadInspections(m_inspectionRow); // the row as it was before
    EmptyCategorySelection();
    Notify(m_observer.viewMenuChanged);
    return ok;
}

bool CInspectorDoc::CreateCategoriesOfDocType(const std::string& name)
{
    store::CategoryTemplate templates;
    if (!templates.OpenByDocType(name))
        return false;
    store::Category category;
    category.ReserveIDs(templates.GetCount());
    store::Comments comments;
    for (int i = 0; i < templates.GetCount(); ++i) {
        templates.Read(i);
        category.New();
        category.m_CategoryTitle = templates.m_CategoryName;
        category.m_CategoryNumber = std::to_string(templates.m_CategoryNumber);
        category.m_InspectionID = m_inspections->m_InspectionID;
        category.m_CategoryTemplateID = templates.m_ID;
        category.m_Type = templates.m_FormType;
        if (!comments.OpenLinked(store::Comments::CategoryLink, templates.m_ID))
            return false;
        for (int c = 0; c < comments.GetCount(); ++c) {
            comments.Read(c);
            if (auto addition = AutomaticCommentText(comments.m_Comments))
                AppendAutomaticComment(category.m_CategoryComments, *addition);
        }
        if (!category.Save())
            return false;
    }
    return true;
}

int CInspectorDoc::CreateStepsFromTemplates(int categoryTemplateID, int categoryID)
{
    std::vector<TemplateStep> templates;
    if (!ReadTemplateSteps(categoryTemplateID, templates))
        return -1;
    store::Transaction transaction(kInspectionData);
    store::Step step;
    step.ReserveIDs(static_cast<int>(templates.size()));
    RatingNames ratings;
    for (const auto& t : templates) {
        step.New();
        FillFromTemplate(step, t, ratings);
        step.m_CategoryID = categoryID;
        if (!step.Save())
            return -1;
    }
    if (!transaction.Commit())
        return -1;
    if (categoryID == m_stepsCategoryID)
        m_steps->OpenByCategory(categoryID);
    return static_cast<int>(templates.size());
}

int CInspectorDoc::CreateFieldsFromTemplates(int categoryTemplateID, int categoryID)
{
    store::FieldTemplate templates;
    if (!templates.OpenByCategory(categoryTemplateID))
        return -1;
    store::Transaction transaction(kInspectionData);
    store::Field field;
    field.ReserveIDs(templates.GetCount());
    for (int i = 0; i < templates.GetCount(); ++i) {
        templates.Read(i);
        field.New();
        field.m_CategoryID = categoryID;
        field.m_SequenceNumber = templates.m_Sequence;
        field.m_FieldType = templates.m_Type;
        field.m_FieldLabel = templates.m_Label;
        if (!field.Save())
            return -1;
    }
    return transaction.Commit() ? templates.GetCount() : -1;
}

int CInspectorDoc::SeedAllCategories()
{
    if (m_inspectionRow < 0)
        return -1;
    Change change;
    store::Category categories;
    bool ok = change.Active() && categories.OpenByInspection(m_inspections->m_InspectionID);
    int made = 0;
    store::Step steps;
    store::Field fields;
    for (int i = 0; ok && i < categories.GetCount(); ++i) {
        categories.Read(i);
        int n = 0;
        if (categories.m_Type == kFormCategory) {
            ok = fields.OpenByCategory(categories.m_CategoryID);
            if (ok && fields.GetCount() == 0)
                n = CreateFieldsFromTemplates(categories.m_CategoryTemplateID, categories.m_CategoryID);
        } else {
            ok = steps.OpenByCategory(categories.m_CategoryID);
            if (ok && steps.GetCount() == 0)
                n = CreateStepsFromTemplates(categories.m_CategoryTemplateID, categories.m_CategoryID);
        }
        ok = ok && n >= 0;
        made += n;
    }
    ok = change.End(ok);
    if (m_stepsCategoryID >= 0)
        m_steps->OpenByCategory(m_stepsCategoryID);
    return ok ? made : -1;
}

DuplicateProposal CInspectorDoc::ProposeDuplicate(int row)
{
    DuplicateProposal proposal;
    store::Category* category = StandOnCategory(row);
    if (!category)
        return proposal;
    proposal.baseName = DuplicateBaseName(category->m_CategoryTitle);
    store::Category sameTemplate;
    sameTemplate.OpenByTemplate(m_inspections->m_InspectionID, category->m_CategoryTemplateID);
    proposal.copyNumber = sameTemplate.GetCount() + 1;
    proposal.name = NumberedName(proposal.baseName, proposal.copyNumber);
    return proposal;
}

bool CInspectorDoc::DuplicateCategory(int row, const std::string& firstName, int n, int howMany,
                                      const std::string& baseName)
{
    return AddDuplicatedCategories(row, firstName, n, howMany, baseName, false);
}

bool CInspectorDoc::DuplicateCategoryWithData(int row, const std::string& firstName, int n, int howMany,
                                              const std::string& baseName)
{
    return AddDuplicatedCategories(row, firstName, n, howMany, baseName, true);
}

bool CInspectorDoc::AddDuplicatedCategories(int row, const std::string& firstName, int n, int howMany,
                                            const std::string& baseName, bool withData)
{
    const store::Category* source = StandOnCategory(row);
    if (!source) {
        Port().inform(kNoSuchRecord);
        return false;
    }
    const int sourceNumber = NumberOf(source->m_CategoryNumber);
    const int templateID = source->m_CategoryTemplateID;
    const int type = source->m_Type;
    const int complete = source->m_CategoryComplete;
    const int notPresent = source->m_CategoryNotPresent;
    const int sourceID = source->m_CategoryID;
    const int inspectionID = m_inspections->m_InspectionID;

    // What every copy gets: the template's steps, or the source's steps and fields.
    std::vector<TemplateStep> templates;
    std::vector<StepRow> sourceSteps;
    std::vector<FieldValues> sourceFields;
    if (!withData) {
        if (!ReadTemplateSteps(templateID, templates))
            return false;
    } else {
        store::Step steps;
        if (!steps.OpenByCategory(sourceID) || !ReadFields(sourceID, sourceFields))
            return false;
        store::StepTemplate lookup;
        for (int i = 0; i < steps.GetCount(); ++i) {
            steps.Read(i);
            if (!lookup.OpenByID(steps.m_StepTemplateID))
                return false;
            if (lookup.GetCount() == 0) {
                Port().inform("Incorrect number of  StepTemplate records for this step. ERROR INFO: i = " +
                              std::to_string(i));
                continue;
            }
            lookup.Read(0);
            sourceSteps.push_back({TemplateStepOf(lookup), steps.m_StepTitle, steps.m_InspectResult,
                                   steps.m_Comments, steps.m_Materials, steps.m_String8, steps.m_MaterialList,
                                   steps.m_MajorSystem, steps.m_SummaryComment, steps.m_BitmapPath,
                                   steps.m_PictureBefore});
        }
    }

    Change change;
    bool ok = change.Active();
    store::Category category, probe;
    store::Step step;
    store::Field field;
    if (howMany > 0) {
        category.ReserveIDs(howMany);
        step.ReserveIDs(static_cast<int>(withData ? sourceSteps.size() : templates.size()) * howMany);
        field.ReserveIDs(static_cast<int>(sourceFields.size()) * howMany);
    }
    RatingNames ratings;
    std::string name = firstName;
    // The numbers every inspection's categories use, read once: looking each
    // candidate up would read the table once per number tried.
    std::unordered_set<std::string> used;
    ok = ok && probe.Open();
    for (int i = 0; ok && i < probe.GetCount(); ++i) {
        probe.Read(i);
        used.insert(probe.m_CategoryNumber);
    }
    int number = sourceNumber;
    for (int copy = 0; ok && copy < howMany; ++copy) {
        // The next category number not used by any inspection (numbers only
        // get taken, so the search goes on from the last one given).
        do
            ++number;
        while (used.count(std::to_string(number)));
        used.insert(std::to_string(number));

        category.New();
        category.m_CategoryTitle = name;
        category.m_CategoryNumber = std::to_string(number);
        category.m_InspectionID = inspectionID;
        category.m_CategoryTemplateID = templateID;
        category.m_Type = type;
        if (withData) {
            category.m_CategoryComplete = complete;
            category.m_CategoryNotPresent = notPresent;
        }
        ok = category.Save();

        if (!withData) {
            for (std::size_t i = 0; ok && i < templates.size(); ++i) {
                const auto& t = templates[i];
                step.New();
                FillFromTemplate(step, t, ratings);
                const auto names = DuplicatedStep(t.keyword, t.name, n);
                step.m_StepNumber = DuplicatedStepNumber(t.number, n);
                step.m_MajorSystem = names.majorSystem;
                step.m_StepTitle = names.title;
                step.m_CategoryID = category.m_CategoryID;
                ok = step.Save();
            }
        } else {
            for (std::size_t i = 0; ok && i < sourceSteps.size(); ++i) {
                const auto& s = sourceSteps[i];
                step.New();
                step.m_StepNumber = DuplicatedStepNumber(s.templ.number, n);
                step.m_CategoryID = category.m_CategoryID;
                step.m_StepTemplateID = s.templ.id;
                step.m_StepRatingType = ratings(s.templ.ratingTypeID);
                step.m_StepInfoExists = s.templ.hasInfo ? -1 : 0;
                step.m_StepTitle = s.title;
                step.m_InspectResult = s.inspectResult;
                step.m_Comments = s.comments;
                step.m_Materials = s.materials;
                step.m_String8 = s.string8;
                step.m_MaterialList = s.materialList;
                step.m_MajorSystem = s.majorSystem;
                step.m_SummaryComment = s.summaryComment;
                step.m_BitmapPath = s.bitmapPath;
                step.m_PictureBefore = s.pictureBefore;
                ok = step.Save();
            }
            ok = ok && AddFields(field, category.m_CategoryID, sourceFields);
        }
        ++n;
        name = NumberedName(baseName, n);
    }
    ok = change.End(ok);
    FillCategorySelection();
    m_categoryListTopRow = 0;
    return ok;
}

std::string CInspectorDoc::DocNumInUseMessage(const std::string& docNum)
{
    return "Doc # \"" + docNum + "\" is already used by another inspection. Please enter a Doc # of its own.";
}

std::optional<int> CInspectorDoc::OnDuplicateInspection(int row)
{
    if (row < 0)
        return std::nullopt;
    std::string typed;
    for (;;) {
        const auto docNum = Port().askText("Duplicate Inspection", "Enter the Doc # of the new Inspection:", typed);
        if (!docNum)
            return std::nullopt;
        if (!store::Inspection::DocNumberInUse(*docNum))
            return DuplicateInspection(row, *docNum);
        Port().inform(DocNumInUseMessage(*docNum));
        typed = *docNum;
    }
}

std::optional<int> CInspectorDoc::DuplicateInspection(int row, const std::string& docNum)
{
    if (store::Inspection::DocNumberInUse(docNum)) {
        Port().inform(DocNumInUseMessage(docNum));
        return std::nullopt;
    }
    if (!SelectInspection(row))
        return std::nullopt;
    const store::Inspection& source = *m_inspections;

    Change change;
    bool ok = change.Active();
    store::Inspection copy;
    copy.New();
    copy.m_InspectionNum = docNum;
    copy.m_DwellingAddress = source.m_DwellingAddress;
    copy.m_ClientName = source.m_ClientName;
    copy.m_AgentName = source.m_AgentName;
    copy.m_String4 = source.m_String4;
    copy.m_InspectionComments = source.m_InspectionComments;
    copy.m_InspectionDate = source.m_InspectionDate;
    copy.m_DocType = source.m_DocType;
    copy.m_DwellingCityStateZip = source.m_DwellingCityStateZip;
    copy.m_ClientAddress = source.m_ClientAddress;
    copy.m_ClientCityStateZip = source.m_ClientCityStateZip;
    copy.m_DocTypeID = source.m_DocTypeID;
    copy.m_RealEstateCompany = source.m_RealEstateCompany;
    ok = ok && copy.Save();

    store::Category categories;
    store::Step steps;
    ok = ok && categories.OpenByInspection(source.m_InspectionID) && steps.OpenByInspection(source.m_InspectionID);
    const int categoryCount = categories.GetCount();
    const int stepCount = steps.GetCount();

    auto progress = Port().progress();
    progress->setTitle("Duplicating Inspection...");
    progress->setRange(0, categoryCount + stepCount + 1);
    progress->setStatus("Duplicating Categories...");

    std::unordered_map<int, int> newCategoryIDs;
    store::Category category;
    category.ReserveIDs(categoryCount);
    store::Field field;
    std::vector<FieldValues> fields;
    for (int i = 0; ok && i < categoryCount; ++i) {
        categories.Read(i);
        category.New();
        category.m_CategoryTitle = categories.m_CategoryTitle;
        category.m_CategoryNumber = categories.m_CategoryNumber;
        category.m_CategoryComments = categories.m_CategoryComments;
        category.m_CategoryTemplateID = categories.m_CategoryTemplateID;
        category.m_CategoryComplete = categories.m_CategoryComplete;
        category.m_CategoryNotPresent = categories.m_CategoryNotPresent;
        category.m_Type = categories.m_Type;
        category.m_InspectionID = copy.m_InspectionID;
        ok = category.Save();
        newCategoryIDs.emplace(categories.m_CategoryID, category.m_CategoryID);
        fields.clear();
        ok = ok && ReadFields(categories.m_CategoryID, fields);
        if (ok && !fields.empty()) {
            field.ReserveIDs(static_cast<int>(fields.size()));
            ok = AddFields(field, category.m_CategoryID, fields);
        }
        progress->setPosition(i);
        ok = ok && !progress->cancelled();
    }

    progress->setStatus("Duplicating Steps...");
    store::Step step;
    step.ReserveIDs(stepCount);
    for (int i = 0; ok && i < stepCount; ++i) {
        steps.Read(i);
        const auto owner = newCategoryIDs.find(steps.m_CategoryID);
        if (owner == newCategoryIDs.end())
            continue; // every step of the selection belongs to a copied category
        step.New();
        step.m_CategoryID = owner->second;
        step.m_StepNumber = steps.m_StepNumber;
        step.m_StepTitle = steps.m_StepTitle;
        step.m_InspectResult = steps.m_InspectResult;
        step.m_Comments = steps.m_Comments;
        step.m_Materials = steps.m_Materials;
        step.m_StepRatingType = steps.m_StepRatingType;
        step.m_MaterialList = steps.m_MaterialList;
        step.m_StepTemplateID = steps.m_StepTemplateID;
        step.m_MajorSystem = steps.m_MajorSystem;
        step.m_StepInfoExists = steps.m_StepInfoExists;
        step.m_YesNo11 = 0;
        ok = step.Save();
        progress->setPosition(categoryCount + i);
        ok = ok && !progress->cancelled();
    }
    ok = change.End(ok);
    const int newID = copy.m_InspectionID;
    ReloadInspections(row);
    Notify(m_observer.inspectionListChanged);
    if (!ok)
        return std::nullopt;
    return newID;
}

bool CInspectorDoc::DeleteInspectionData(bool showProgress)
{
    if (m_inspectionRow < 0)
        return false;
    const int inspectionID = m_inspections->m_InspectionID;
    store::Transaction transaction(kInspectionData);
    store::Category categories;
    bool ok = transaction.Active() && categories.OpenByInspection(inspectionID);
    const int count = categories.GetCount();
    auto progress = MakeProgress(showProgress);
    progress->setRange(0, count + 1);
    progress->setTitle("Deleting Inspection...");
    progress->setStatus("Deleting Steps...");
    store::Step steps;
    store::Field fields;
    for (int i = 0; ok && i < count; ++i) {
        categories.Read(i);
        ok = steps.DeleteByCategory(categories.m_CategoryID) && fields.DeleteByCategory(categories.m_CategoryID);
        progress->setPosition(i);
    }
    progress->setStatus("Deleting Categories...");
    progress->setPosition(count);
    ok = ok && categories.DeleteByInspection(inspectionID);
    ok = ok && transaction.Commit();
    EmptyCategorySelection();
    return ok;
}

bool CInspectorDoc::DeleteCurrentInspection()
{
    try {
        m_inspections->Delete();
        return true;
    } catch (const store::DatabaseError& e) {
        Port().inform(e.message);
        return false;
    }
}

bool CInspectorDoc::OnDeleteInspection(bool fromInspectionList, int selectedRows, int row)
{
    if (!fromInspectionList) {
        Port().inform("Please delete inspections from the Inspection List view only.");
        return false;
    }
    if (selectedRows > 1) {
        Port().inform("Only one inspection can be deleted at a time.");
        return false;
    }
    if (selectedRows < 1 || row < 0)
        return false;
    if (!SelectInspection(row))
        return false;
    const store::Inspection& i = *m_inspections;
    const std::string question = "Are you sure you want to delete this inspection?\n\nClient Name: " + i.m_ClientName +
                                 "\nDwelling Address: " + i.m_DwellingAddress +
                                 "\nCity State Zip: " + i.m_DwellingCityStateZip + "\nDoc #: " + i.m_InspectionNum;
    if (!Port().confirm(question, "Warning"))
        return false;

    Change change;
    bool ok = change.Active() && DeleteInspectionData(true) && DeleteCurrentInspection();
    // The document always stands on an inspection: the last one deleted is
    // replaced by a new, empty one.
    store::Inspection rest;
    ok = ok && rest.Open();
    if (ok && rest.GetCount() == 0)
        ok = AddEmptyInspection().has_value();
    ok = change.End(ok);
    ReloadInspections(row);
    EmptyCategorySelection();
    Notify(m_observer.inspectionListChanged);
    return ok;
}

bool CInspectorDoc::OnDeleteAllInspections()
{
    if (!Port().confirm("Would you like to delete all inspections."))
        return false;
    Change change;
    bool ok = change.Active() && m_inspections->Open();
    for (int row = m_inspections->GetCount() - 1; ok && row >= 0; --row) {
        m_inspections->Read(row);
        m_inspectionRow = row;
        ok = DeleteInspectionData(true) && DeleteCurrentInspection();
    }
    // The new inspection is part of the same change, so that the database never
    // ends up without one.
    std::optional<int> newID;
    if (ok)
        newID = AddEmptyInspection();
    ok = change.End(ok && newID);
    if (!ok) {
        ReloadInspections(0);
        EmptyCategorySelection();
        Notify(m_observer.inspectionListChanged);
        return false;
    }
    Port().inform("Done deleting all inspections.");
    ReloadInspections(0);
    EmptyCategorySelection();
    ShowView(kInspectionSetupView);
    Notify(m_observer.showInspection);
    Notify(m_observer.inspectionListChanged);
    return true;
}

std::optional<DefaultsSummary> CInspectorDoc::OnSetAllDefaults()
{
    if (!Port().confirm("Please confirm the applying of all defaults. This action can not be undone."))
        return std::nullopt;
    auto summary = ApplyAllDefaults();
    if (summary)
        Port().inform("Done!");
    return summary;
}

std::optional<DefaultsSummary> CInspectorDoc::ApplyAllDefaults()
{
    if (m_inspectionRow < 0)
        return std::nullopt;
    const bool blankLine = store::Options().m_YesNo36 != 0;
    DefaultsSummary summary;
    Change change;
    store::Category categories;
    bool ok = change.Active() && categories.OpenByInspection(m_inspections->m_InspectionID);
    store::CategoryTemplate categoryTemplate;
    store::Step steps;
    for (int c = 0; ok && c < categories.GetCount(); ++c) {
        categories.Read(c);
        // A category without its template is not excluded.
        ok = categoryTemplate.OpenSql("SELECT * FROM CategoryTemplate WHERE ID = %d",
                                      {categories.m_CategoryTemplateID});
        if (ok && categoryTemplate.GetCount() > 0) {
            categoryTemplate.Read(0);
            if (categoryTemplate.m_ExcludeFromApplyDefault) {
                ++summary.excluded;
                continue;
            }
        }
        ++summary.categories;
        ok = ok && steps.OpenByCategory(categories.m_CategoryID);
        if (ok && steps.GetCount() == 0) {
            const int made = CreateStepsFromTemplates(categories.m_CategoryTemplateID, categories.m_CategoryID);
            ok = made >= 0 && steps.OpenByCategory(categories.m_CategoryID);
            summary.stepsSeeded += made > 0 ? made : 0;
        }
        for (int s = 0; ok && s < steps.GetCount(); ++s) {
            steps.Read(s);
            if (!steps.m_InspectResult.empty())
                continue;
            ApplyDefaultMaterial(steps, blankLine);
            ApplyDefaultRating(steps);
            ok = steps.Save();
            ++summary.stepsDefaulted;
        }
        ok = ok && UpdateCategoryComplete(categories);
    }
    ok = change.End(ok);
    if (m_categoriesFilled) {
        const int row = m_categoryRow;
        FillCategorySelection();
        if (row >= 0)
            StandOnCategory(row);
    }
    if (m_stepsCategoryID >= 0)
        m_steps->OpenByCategory(m_stepsCategoryID);
    if (!ok)
        return std::nullopt;
    return summary;
}

bool CInspectorDoc::UpdateCategoryComplete(store::Category& category)
{
    store::Step empty;
    if (!empty.OpenEmptyByCategory(category.m_CategoryID))
        return false;
    category.m_CategoryComplete = empty.GetCount() == 0 ? -1 : 0;
    return category.Save();
}

} // namespace app

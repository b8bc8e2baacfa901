#include "editing/qt/CInspectorView.h"

#include "app/CInspectorDoc.h"
#include "app/qt/CMainFrame.h"
#include "editing/qt/CEditListDlg.h"
#include "editing/qt/ViewTitle.h"
#include "store/Inspection.h"
#include "store/InspectionType.h"
#include "store/Options.h"
#include "ui/Port.h"

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace editing::qt {
namespace {

struct PickLists {
    const char* labelList;
    const char* ownList;
};
constexpr std::array<PickLists, CInspectorView::PickComboCount> kPickLists{{
    {"Label01", "EvalCityStateZip"},
    {"Label02", "ClientCityStateZip"},
    {"Label03", "Realtor"},
    {"Label05", "ListingAgent"},
}};

enum LabelIndex { DwellingAddressLabel, ClientAddressLabel, AgentLabel, DocTypeLabel, RealEstateLabel, DocNumLabel,
                  ClientNameLabel, DateTimeLabel };

QStringList LabelTexts()
{
    store::Options options;
    if (!options.m_String25.empty()) {
        QStringList texts;
        for (const std::string* s : {&options.m_String25, &options.m_String26, &options.m_String27,
                                     &options.m_String28, &options.m_String29, &options.m_String30,
                                     &options.m_String31, &options.m_String32})
            texts << QString::fromStdString(*s);
        return texts;
    }
    return {QStringLiteral("*Dwelling Address"), QStringLiteral("Client Address"), QStringLiteral("Client's Agent"),
            QStringLiteral("Doc Type"),          QStringLiteral("Real Estate Company"), QStringLiteral("Doc #"),
            QStringLiteral("Client Name"),       QStringLiteral("Date Time")};
}

QDateTime ToQt(const store::DateTime& d)
{
    const QDate date(d.year, d.month, d.day);
    if (!date.isValid())
        return QDateTime::currentDateTime();
    return QDateTime(date, QTime(d.hour, d.minute, d.second));
}

store::DateTime FromQt(const QDateTime& d)
{
    return store::DateTime::Make(d.date().year(), d.date().month(), d.date().day(), d.time().hour(),
                                 d.time().minute(), d.time().second());
}

std::string Text(const QLineEdit* edit)
{
    return edit->text().toStdString();
}

std::string Text(const QComboBox* combo)
{
    return combo->currentText().toStdString();
}

} // namespace

const QString CInspectorView::kEditList = QStringLiteral("Edit List...");
const QString CInspectorView::kDateTimeFormat = QStringLiteral("MM/dd/yyyy hh:mm AP");

CInspectorView::CInspectorView(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent)
    : CView(frame, parent), m_doc(doc)
{
    setObjectName(QStringLiteral("inspectionSetup"));
    const QStringList labels = LabelTexts();
    for (int i = 0; i < 8; ++i) {
        m_labels[i] = new QLabel(labels.value(i), this);
        m_labels[i]->setObjectName(QStringLiteral("label%1").arg(i));
    }

    auto makeEdit = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        connect(edit, &QLineEdit::textEdited, this, &CInspectorView::OnFieldEdited);
        return edit;
    };
    m_dwellingAddress = makeEdit("dwellingAddress");
    m_clientName = makeEdit("clientName");
    m_clientAddress = makeEdit("clientAddress");
    m_docNum = makeEdit("docNum");
    m_docNumError = new QLabel(this);
    m_docNumError->setObjectName(QStringLiteral("docNumError"));
    m_docNumError->setWordWrap(true);
    m_docNumError->setStyleSheet(QStringLiteral("color: #aa0000;"));
    m_docNumError->hide();

    const char* pickNames[] = {"dwellingCityStateZip", "clientCityStateZip", "agentName", "realEstateCompany"};
    for (int i = 0; i < PickComboCount; ++i) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(pickNames[i]));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Completing inline could turn a typed word into "Edit List...".
        combo->setCompleter(nullptr);
        combo->setMaxVisibleItems(16);
        const auto which = static_cast<PickCombo>(i);
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, which](const QString& text) {
            m_pickText[which] = text;
            OnFieldEdited();
        });
        connect(combo, &QComboBox::activated, this, [this, which](int index) { OnPickListSelected(which, index); });
        m_pick[i] = combo;
    }
    m_pick[DwellingCityStateZip]->lineEdit()->setPlaceholderText(QStringLiteral("City, State Zip"));
    m_pick[ClientCityStateZip]->lineEdit()->setPlaceholderText(QStringLiteral("City, State Zip"));

    // A list only: a document type must name a type whose categories exist.
    m_docType = new QComboBox(this);
    m_docType->setObjectName(QStringLiteral("docType"));
    m_docType->setMaxVisibleItems(16);
    m_docType->setPlaceholderText(QStringLiteral("(choose the Doc Type)"));
    connect(m_docType, &QComboBox::activated, this, &CInspectorView::OnDocTypeSelected);

    m_dateTime = new QDateTimeEdit(this);
    m_dateTime->setObjectName(QStringLiteral("dateTime"));
    m_dateTime->setDisplayFormat(kDateTimeFormat);
    m_dateTime->setCalendarPopup(true);
    connect(m_dateTime, &QDateTimeEdit::dateTimeChanged, this, [this] { OnFieldEdited(); });

    m_newInspection = new QPushButton(QStringLiteral("New Inspection"), this);
    m_newInspection->setObjectName(QStringLiteral("newInspection"));
    connect(m_newInspection, &QPushButton::clicked, this, [this] { m_doc.ConfirmNewInspection(); });

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    int row = 0;
    auto addRow = [&](QLabel* label, QWidget* field) {
        if (label) {
            label->setBuddy(field);
            grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        }
        grid->addWidget(field, row, 1);
        ++row;
    };
    addRow(m_labels[DwellingAddressLabel], m_dwellingAddress);
    addRow(nullptr, m_pick[DwellingCityStateZip]);
    addRow(m_labels[AgentLabel], m_pick[ClientsAgent]);
    addRow(m_labels[RealEstateLabel], m_pick[RealEstateCompany]);
    grid->setRowMinimumHeight(row++, 10);
    addRow(m_labels[ClientNameLabel], m_clientName);
    addRow(m_labels[ClientAddressLabel], m_clientAddress);
    addRow(nullptr, m_pick[ClientCityStateZip]);
    grid->setRowMinimumHeight(row++, 10);
    addRow(m_labels[DocTypeLabel], m_docType);
    grid->addWidget(m_docNumError, row, 2);
    addRow(m_labels[DocNumLabel], m_docNum);
    addRow(m_labels[DateTimeLabel], m_dateTime);
    grid->setColumnMinimumWidth(1, 360);
    grid->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addSpacing(m_labels[RealEstateLabel]->sizeHint().width() + 12);
    buttons->addWidget(m_newInspection);
    // The general comment of the inspection, as the toolbar's Comment button opens it here.
    auto* generalComment = new QPushButton(QStringLiteral("General Comment..."), this);
    generalComment->setObjectName(QStringLiteral("generalComment"));
    connect(generalComment, &QPushButton::clicked, this, [this] {
        if (QAction* comment = Frame().Action(app::qt::cmd::CommentEditor); comment && comment->isEnabled())
            comment->trigger();
    });
    buttons->addWidget(generalComment);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeViewTitle(QStringLiteral("INSPECTION SETUP"), this));
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->addStretch(1);

    // Tab order follows the form from top to bottom.
    QWidget* order[] = {m_dwellingAddress, m_pick[DwellingCityStateZip], m_pick[ClientsAgent],
                        m_pick[RealEstateCompany], m_clientName, m_clientAddress, m_pick[ClientCityStateZip],
                        m_docType, m_docNum, m_dateTime, m_newInspection};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    setFocusProxy(m_dwellingAddress);
}

std::string CInspectorView::ListShownIn(PickCombo which)
{
    const PickLists& lists = kPickLists[which];
    if (!ReadPickerChoices(lists.labelList).isEmpty())
        return lists.labelList;
    return lists.ownList;
}

const char* CInspectorView::EditedList(PickCombo which)
{
    return kPickLists[which].ownList;
}

void CInspectorView::OnActivateView(bool activate)
{
    if (activate) {
        ShowInspection();
        return;
    }
    m_doc.WaitForDocTypeChange();
    WriteAndSave();
}

void CInspectorView::FillPickList(PickCombo which)
{
    QComboBox* combo = m_pick[which];
    const QString text = combo->currentText();
    ++m_loading;
    combo->clear();
    combo->addItems(ReadPickerChoices(ListShownIn(which)));
    combo->addItem(kEditList);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
    --m_loading;
}

void CInspectorView::FillDocTypes()
{
    ++m_loading;
    m_docType->clear();
    store::InspectionType types;
    if (types.Open()) {
        for (int i = 0; i < types.GetCount(); ++i) {
            types.Read(i);
            m_docType->addItem(QString::fromStdString(types.m_InspectionType));
        }
    }
    // A document type that is no longer in the table is still shown.
    const QString current = QString::fromStdString(m_docTypeName);
    if (!current.isEmpty() && m_docType->findText(current, Qt::MatchExactly) < 0)
        m_docType->insertItem(0, current);
    m_docType->setCurrentIndex(current.isEmpty() ? -1 : m_docType->findText(current, Qt::MatchExactly));
    --m_loading;
}

void CInspectorView::ShowInspection()
{
    const store::Inspection& inspection = m_doc.CurrentInspection();
    m_shownID = inspection.m_InspectionID;
    m_docTypeName = inspection.m_DocType;
    ++m_loading;
    for (int i = 0; i < PickComboCount; ++i)
        FillPickList(static_cast<PickCombo>(i));
    FillDocTypes();
    m_dwellingAddress->setText(QString::fromStdString(inspection.m_DwellingAddress));
    m_clientName->setText(QString::fromStdString(inspection.m_ClientName));
    m_clientAddress->setText(QString::fromStdString(inspection.m_ClientAddress));
    m_docNum->setText(QString::fromStdString(inspection.m_InspectionNum));
    m_docNumError->hide();
    const std::string* pickValues[] = {&inspection.m_DwellingCityStateZip, &inspection.m_ClientCityStateZip,
                                       &inspection.m_AgentName, &inspection.m_RealEstateCompany};
    for (int i = 0; i < PickComboCount; ++i) {
        m_pickText[i] = QString::fromStdString(*pickValues[i]);
        m_pick[i]->setEditText(m_pickText[i]);
    }
    m_dateTime->setDateTime(ToQt(inspection.m_InspectionDate));
    --m_loading;
}

void CInspectorView::WriteAndSave()
{
    store::Inspection& inspection = m_doc.CurrentInspection();
    // The form holds another inspection than the document's current one (the
    // document moved on before the form was shown again): nothing to write.
    if (m_shownID < 0 || inspection.m_InspectionID != m_shownID)
        return;
    inspection.m_ClientName = Text(m_clientName);
    inspection.m_ClientAddress = Text(m_clientAddress);
    inspection.m_DwellingAddress = Text(m_dwellingAddress);
    inspection.m_DocType = m_docTypeName;
    inspection.m_AgentName = Text(m_pick[ClientsAgent]);
    inspection.m_RealEstateCompany = Text(m_pick[RealEstateCompany]);
    // A Doc # another inspection has is shown as an error and kept out of the
    // row until it is unique; the other fields are saved as usual.
    const std::string docNum = Text(m_docNum);
    const bool docNumInUse = docNum != inspection.m_InspectionNum &&
                             store::Inspection::DocNumberInUse(docNum, inspection.m_InspectionID);
    if (!docNumInUse)
        inspection.m_InspectionNum = docNum;
    m_docNumError->setText(docNumInUse ? QString::fromStdString(app::CInspectorDoc::DocNumInUseMessage(docNum))
                                       : QString());
    m_docNumError->setVisible(docNumInUse);
    inspection.m_DwellingCityStateZip = Text(m_pick[DwellingCityStateZip]);
    inspection.m_ClientCityStateZip = Text(m_pick[ClientCityStateZip]);
    inspection.m_String4.clear();
    inspection.m_InspectionDate = FromQt(m_dateTime->dateTime());
    m_doc.SaveInspection();
}

void CInspectorView::OnFieldEdited()
{
    if (!Loading())
        WriteAndSave();
}

void CInspectorView::OnPickListSelected(PickCombo which, int index)
{
    if (Loading())
        return;
    QComboBox* combo = m_pick[which];
    if (combo->itemText(index) == kEditList) {
        // The entry only opens the editor; the field keeps the text it had.
        ++m_loading;
        combo->setCurrentIndex(-1);
        combo->setEditText(m_pickText[which]);
        --m_loading;
        CEditListDlg dialog(EditedList(which), this);
        if (dialog.exec() == QDialog::Accepted)
            FillPickList(which);
        ++m_loading;
        combo->setEditText(m_pickText[which]);
        --m_loading;
    } else {
        m_pickText[which] = combo->itemText(index);
        ++m_loading;
        combo->setEditText(m_pickText[which]);
        --m_loading;
    }
    WriteAndSave();
}

void CInspectorView::OnDocTypeSelected(int index)
{
    if (Loading())
        return;
    const std::string oldType = m_docTypeName;
    WriteAndSave();
    if (index < 0)
        return;
    const std::string newType = m_docType->itemText(index).toStdString();
    if (newType != oldType) {
        if (!m_doc.ConfirmDocTypeChange(oldType, newType)) {
            ++m_loading;
            m_docType->setCurrentIndex(oldType.empty() ? -1 : m_docType->findText(QString::fromStdString(oldType)));
            --m_loading;
            return;
        }
        if (!m_doc.ChangeDocType(newType)) {
            // The change was undone as a whole; the form shows the old type again.
            ++m_loading;
            m_docType->setCurrentIndex(oldType.empty() ? -1 : m_docType->findText(QString::fromStdString(oldType)));
            --m_loading;
            WriteAndSave();
            return;
        }
        m_docTypeName = newType;
    }
    WriteAndSave();
    if (m_doc.CurrentInspection().m_DocTypeID == -1)
        ui::CurrentPort().inform("WARNING! InspectionTypeID is still -1");
}

} // namespace editing::qt

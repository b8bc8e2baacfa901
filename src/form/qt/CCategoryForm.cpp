#include "form/qt/CCategoryForm.h"

#include "app/CInspectorDoc.h"
#include "app/DocumentRules.h"
#include "app/qt/CMainFrame.h"
#include "editing/qt/CEditListDlg.h"
#include "editing/qt/ViewTitle.h"
#include "store/Category.h"
#include "ui/Port.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

// (1) m_controls[i] belongs to m_fields[i]; m_layout places them.
// (2) m_page is -1 while no page is shown, else a page of m_layout.
// (3) Controls are filled with their signals blocked: only the user's changes are stored.

namespace form::qt {
namespace {

constexpr int kLabelWidth = 290;
constexpr int kLabelHeight = 20;
constexpr int kInputWidth = 280;
constexpr int kInputHeight = 23;
constexpr int kEditIDBase = 8000;
constexpr int kComboIDBase = 9000;

} // namespace

CCategoryForm::CCategoryForm(app::qt::CMainFrame& frame, app::CInspectorDoc& doc, QWidget* parent)
    : CView(frame, parent), m_doc(doc)
{
    setObjectName(QStringLiteral("categoryForm"));
    m_header = editing::qt::MakeViewTitle(QString(), this);
    m_header->setObjectName(QStringLiteral("header"));
    m_address = new QLabel(this);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_empty = new QLabel(
        QStringLiteral("This form has no fields: the template of this category lists none."), this);
    m_empty->setObjectName(QStringLiteral("noFields"));
    m_empty->hide();

    // The fields sit where the form's layout puts them, page by page.
    m_area = new QWidget(this);
    m_area->setObjectName(QStringLiteral("fields"));
    m_area->setMinimumSize(kRightX + kInputWidth + 25, kBottomY + 20);

    m_prev = new QPushButton(QStringLiteral("<< Prev Page"), this);
    m_prev->setObjectName(QStringLiteral("prevPage"));
    m_next = new QPushButton(QStringLiteral("Next Page >>"), this);
    m_next->setObjectName(QStringLiteral("nextPage"));
    m_back = new QPushButton(QStringLiteral("Back To Categories"), this);
    m_back->setObjectName(QStringLiteral("backToCategories"));
    for (QPushButton* b : {m_prev, m_next, m_back})
        b->setAutoDefault(false);
    m_prev->hide();
    m_next->hide();
    connect(m_prev, &QPushButton::clicked, this, [this] { ShowPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { ShowPage(m_page + 1); });
    connect(m_back, &QPushButton::clicked, this, [this] { Frame().OnViewCategoryList(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_prev);
    buttons->addWidget(m_next);
    buttons->addStretch();
    buttons->addWidget(m_back);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    layout->addWidget(m_address);
    layout->addWidget(m_empty);
    layout->addWidget(m_area);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void CCategoryForm::OnActivateView(bool activate)
{
    if (activate && m_doc.SelectedCategoryID() != m_categoryID)
        Rebuild();
}

QWidget* CCategoryForm::Input(int index) const
{
    return index >= 0 && index < static_cast<int>(m_controls.size()) ? m_controls[index].input : nullptr;
}

QLabel* CCategoryForm::FieldLabel(int index) const
{
    return index >= 0 && index < static_cast<int>(m_controls.size()) ? m_controls[index].label : nullptr;
}

void CCategoryForm::ClearControls()
{
    for (const Controls& c : m_controls) {
        delete c.label;
        delete c.input;
    }
    m_controls.clear();
    m_fields.clear();
    m_layout = {};
    m_page = -1;
}

void CCategoryForm::Rebuild()
{
    ClearControls();
    m_categoryID = m_doc.SelectedCategoryID();

    store::Category category;
    const bool found = category.OpenByID(m_categoryID) && category.GetCount() > 0;
    if (found)
        category.Read(0);
    m_header->setText(found ? QString::fromStdString(category.m_CategoryTitle) : QString());
    const store::Inspection& inspection = m_doc.CurrentInspection();
    m_address->setText(
        QString::fromStdString(app::AddressLine(inspection.m_DwellingAddress, inspection.m_DwellingCityStateZip)));

    if (found) {
        if (auto fields = LoadFormFields(m_doc, m_categoryID))
            m_fields = std::move(*fields);
        else
            ui::CurrentPort().inform("The fields of this form could not be read.");
    }
    m_layout = LayOutFields(static_cast<int>(m_fields.size()));
    for (int i = 0; i < static_cast<int>(m_fields.size()); ++i) {
        const FormField& field = m_fields[i];
        const FieldPlace& place = m_layout.places[i];
        Controls c;
        c.label = new QLabel(QString::fromStdString(field.label), m_area);
        c.label->setGeometry(place.x, place.y, kLabelWidth, kLabelHeight);
        c.label->hide();
        if (field.type == kTextField) {
            auto* edit = new QLineEdit(QString::fromStdString(field.value), m_area);
            edit->setObjectName(QStringLiteral("field%1").arg(kEditIDBase + i));
            connect(edit, &QLineEdit::textChanged, this, [this, i](const QString& text) { Store(i, text); });
            c.input = edit;
        } else if (field.type == kChoiceField) {
            auto* combo = new QComboBox(m_area);
            combo->setObjectName(QStringLiteral("field%1").arg(kComboIDBase + i));
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setMaxVisibleItems(12);
            c.input = combo;
        }
        if (c.input) {
            c.input->setGeometry(place.x, place.y + kInputOffset, kInputWidth, kInputHeight);
            c.input->hide();
            c.label->setBuddy(c.input);
        }
        m_controls.push_back(c);
        if (auto* combo = qobject_cast<QComboBox*>(c.input)) {
            FillChoices(i);
            connect(combo, &QComboBox::activated, this, [this, i](int entry) { OnChoice(i, entry); });
            connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, i](const QString& text) { Store(i, text); });
        }
    }
    m_empty->setVisible(found && m_fields.empty());
    m_prev->hide();
    m_next->hide();
    ShowPage(0);
}

void CCategoryForm::FillChoices(int index)
{
    auto* combo = qobject_cast<QComboBox*>(m_controls[index].input);
    QSignalBlocker block(combo);
    combo->clear();
    for (const auto& choice : FieldChoices(m_fields[index].label))
        combo->addItem(QString::fromStdString(choice));
    combo->setCurrentIndex(-1);
    combo->setEditText(QString::fromStdString(m_fields[index].value));
}

void CCategoryForm::OnChoice(int index, int entry)
{
    auto* combo = qobject_cast<QComboBox*>(m_controls[index].input);
    const QString text = combo->itemText(entry);
    if (text == QLatin1String(kEditList)) {
        editing::qt::CEditListDlg dialog(m_fields[index].label, this);
        dialog.exec();
        // The list as stored now; the field keeps its value either way.
        FillChoices(index);
        return;
    }
    Store(index, text);
}

void CCategoryForm::Store(int index, const QString& value)
{
    FormField& field = m_fields[index];
    const std::string text = value.toStdString();
    if (text == field.value)
        return;
    if (!StoreFieldValue(field.id, text)) {
        ui::CurrentPort().inform("The value of \"" + field.label + "\" could not be saved.");
        return;
    }
    field.value = text;
}

void CCategoryForm::ShowPage(int page)
{
    if (page == m_page || page < 0 || page >= m_layout.PageCount())
        return;
    auto range = [this](int p, auto&& visit) {
        const int begin = m_layout.pageStarts[p];
        const int end = p + 1 < m_layout.PageCount() ? m_layout.pageStarts[p + 1] : static_cast<int>(m_controls.size());
        for (int i = begin; i < end; ++i)
            visit(m_controls[i]);
    };
    if (m_page >= 0)
        range(m_page, [](Controls& c) {
            c.label->hide();
            if (c.input)
                c.input->hide();
        });
    range(page, [](Controls& c) {
        c.label->show();
        if (c.input)
            c.input->show();
    });
    m_page = page;
    m_prev->setVisible(page > 0);
    m_next->setVisible(page + 1 < m_layout.PageCount());
}

void InstallCategoryForm(app::qt::CMainFrame& frame, app::CInspectorDoc& doc)
{
    frame.SetViewFactory(app::qt::kViewCategoryForm,
                         [&doc](app::qt::CMainFrame& f) { return new CCategoryForm(f, doc); });
}

} // namespace form::qt

#include "editing/qt/CPicturePage.h"

#include "editing/qt/CStepPropertySheet.h"
#include "ui/Port.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace editing::qt {

CPicturePage::CPicturePage(CStepPropertySheet& sheet, QWidget* parent) : CStepPage(sheet, parent)
{
    setObjectName(QStringLiteral("picturePage"));
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("imagePath"));
    m_browse = new QPushButton(QStringLiteral("Browse..."), this);
    m_browse->setObjectName(QStringLiteral("browse"));
    m_display = new QLabel(this);
    m_display->setObjectName(QStringLiteral("display"));
    m_display->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_display->setMinimumSize(320, 240);
    m_display->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_display->setFrameShape(QFrame::StyledPanel);
    m_rating = new QComboBox(this);
    m_rating->setObjectName(QStringLiteral("rating"));
    m_previous = new QPushButton(QStringLiteral("<<"), this);
    m_previous->setObjectName(QStringLiteral("previous"));
    m_next = new QPushButton(QStringLiteral(">>"), this);
    m_next->setObjectName(QStringLiteral("next"));
    m_before = new QCheckBox(QStringLiteral("Print picture before step"), this);
    m_before->setObjectName(QStringLiteral("printBefore"));
    m_clear = new QPushButton(QStringLiteral("Clear Picture"), this);
    m_clear->setObjectName(QStringLiteral("clearPicture"));

    connect(m_browse, &QPushButton::clicked, this, &CPicturePage::OnBrowse);
    connect(m_clear, &QPushButton::clicked, this, [this] { SetPath({}); });
    connect(m_path, &QLineEdit::editingFinished, this, [this] { SetPath(m_path->text()); });
    connect(m_rating, &QComboBox::activated, this, [this] { Sheet().Rating() = CStepPropertySheet::ChosenRating(m_rating); });
    connect(m_previous, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { Move(1); });

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(QStringLiteral("Image Path"), this));
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_browse);

    auto* ratingGroup = new QGroupBox(QStringLiteral("Rating"), this);
    (new QVBoxLayout(ratingGroup))->addWidget(m_rating);
    auto* navigator = new QGroupBox(QStringLiteral("Navigator"), this);
    auto* arrows = new QHBoxLayout(navigator);
    arrows->addWidget(m_previous);
    arrows->addWidget(m_next);

    auto* side = new QVBoxLayout;
    side->addWidget(ratingGroup);
    side->addWidget(navigator);
    side->addWidget(m_before);
    side->addWidget(m_clear);
    side->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(m_display, 1);
    body->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pathRow);
    layout->addLayout(body, 1);
}

void CPicturePage::LoadStep()
{
    const store::Step& step = Sheet().WorkingStep();
    SetPath(QString::fromStdString(step.m_BitmapPath));
    SetPrintBefore(step.m_PictureBefore != 0);
    CStepPropertySheet::FillRatingCombo(m_rating, step.m_StepRatingType, Sheet().Rating());
    UpdateNavigator();
}

void CPicturePage::StoreStep()
{
    store::Step& step = Sheet().WorkingStep();
    step.m_BitmapPath = Path().toStdString();
    step.m_PictureBefore = PrintBefore() ? -1 : 0;
}

void CPicturePage::Activated()
{
    CStepPropertySheet::FillRatingCombo(m_rating, Sheet().WorkingStep().m_StepRatingType, Sheet().Rating());
    UpdateNavigator();
}

void CPicturePage::SetPath(const QString& path)
{
    if (m_path->text() != path)
        m_path->setText(path);
    // A file that does not load leaves no picture shown; the path stays as entered.
    // Photos are shown the right way up, as their EXIF orientation says.
    m_image = QImage();
    if (!path.isEmpty()) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        m_image = reader.read();
    }
    ShowImage();
}

QString CPicturePage::Path() const
{
    return m_path->text();
}

void CPicturePage::SetPrintBefore(bool before)
{
    m_before->setChecked(before);
}

bool CPicturePage::PrintBefore() const
{
    return m_before->isChecked();
}

void CPicturePage::OnBrowse()
{
    const auto chosen = ui::CurrentPort().chooseOpenFile(
        "Graphic Files (*.jpg;*.gif;*.bmp;*.2bp)|*.jpg; *.gif; *.bmp; *.2bp||");
    if (!chosen)
        return;
    const QString path = QString::fromStdString(*chosen);
    if (!QFileInfo(path).isFile())
        return;
    SetPath(path);
}

void CPicturePage::resizeEvent(QResizeEvent* event)
{
    CStepPage::resizeEvent(event);
    ShowImage();
}

void CPicturePage::ShowImage()
{
    if (m_image.isNull()) {
        m_display->clear();
        return;
    }
    // A picture larger than the display is scaled down to it, never up.
    QImage shown = m_image;
    if (shown.width() > m_display->width() || shown.height() > m_display->height())
        shown = shown.scaled(m_display->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_display->setPixmap(QPixmap::fromImage(shown));
}

void CPicturePage::UpdateNavigator()
{
    m_previous->setEnabled(Sheet().CurrentIndex() > 0);
    m_next->setEnabled(Sheet().CurrentIndex() + 1 < Sheet().StepCount());
}

void CPicturePage::Move(int by)
{
    const int index = Sheet().CurrentIndex() + by;
    if (index < 0 || index >= Sheet().StepCount())
        return;
    Sheet().SetStepByIndex(index);
}

} // namespace editing::qt

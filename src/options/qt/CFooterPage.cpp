#include "options/qt/CFooterPage.h"

#include "options/OptionsRules.h"
#include "options/ReportLogo.h"
#include "reports/pictures/PicturePrep.h"
#include "ui/Port.h"
#include "ui/qt/FileDialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace options::qt {
namespace {

// Wider logos only grow the report: the header prints them at 40 %.
constexpr int kLargestLogoWidth = 1600;
const QSize kPreviewSize(240, 100);

QCheckBox* Check(QWidget* parent, const QString& caption, const QString& name)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

CFooterPage::CFooterPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Header/Footer"));
    m_printCompany = Check(this, QStringLiteral("Print company info on reports"), QStringLiteral("printCompany"));
    m_customFooter = Check(this, QStringLiteral("Use Custom Footer"), QStringLiteral("useCustomFooter"));
    m_footer = new QPlainTextEdit(this);
    m_footer->setObjectName(QStringLiteral("footerText"));
    m_footer->setTabChangesFocus(true);
    m_footer->setMaximumHeight(80);
    m_hideRatings = Check(this, QStringLiteral("Hide ratings on report"), QStringLiteral("hideRatings"));
    m_blankLine = Check(this, QStringLiteral("Blank line between comments"), QStringLiteral("blankLine"));
    m_sectionBreak =
        Check(this, QStringLiteral("Section break between Categories"), QStringLiteral("sectionBreak"));
    m_stepNumbers = Check(this, QStringLiteral("Show Step numbers"), QStringLiteral("showStepNumbers"));

    m_pictureFolder = new QLineEdit(this);
    m_pictureFolder->setObjectName(QStringLiteral("pictureFolder"));
    m_pictureFolder->setToolTip(QStringLiteral("The folder of the numbered pictures (the camera card). Until one "
                                               "is set, numbered pictures print as missing."));
    auto* pictureLabel = new QLabel(QStringLiteral("Default &Picture Card Path"), this);
    pictureLabel->setBuddy(m_pictureFolder);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    browse->setObjectName(QStringLiteral("pictureFolderBrowse"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &CFooterPage::BrowsePictureFolder);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(m_pictureFolder, 1);
    pictureRow->addWidget(browse);

    auto* logo = new QGroupBox(QStringLiteral("Report Logo"), this);
    m_logoPreview = new QLabel(this);
    m_logoPreview->setObjectName(QStringLiteral("logoPreview"));
    m_logoPreview->setFixedSize(kPreviewSize);
    m_logoPreview->setAlignment(Qt::AlignCenter);
    m_logoPreview->setFrameShape(QFrame::StyledPanel);
    auto* chooseLogo = new QPushButton(QStringLiteral("&Logo..."), this);
    chooseLogo->setObjectName(QStringLiteral("chooseLogo"));
    chooseLogo->setAutoDefault(false);
    connect(chooseLogo, &QPushButton::clicked, this, &CFooterPage::BrowseLogo);
    m_clearLogo = new QPushButton(QStringLiteral("Clear Lo&go"), this);
    m_clearLogo->setObjectName(QStringLiteral("clearLogo"));
    m_clearLogo->setAutoDefault(false);
    connect(m_clearLogo, &QPushButton::clicked, this, &CFooterPage::ClearLogo);
    auto* logoButtons = new QVBoxLayout;
    logoButtons->addWidget(chooseLogo);
    logoButtons->addWidget(m_clearLogo);
    logoButtons->addStretch();
    auto* logoLayout = new QHBoxLayout(logo);
    logoLayout->addWidget(m_logoPreview);
    logoLayout->addLayout(logoButtons);
    logoLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_printCompany);
    layout->addWidget(m_customFooter);
    layout->addWidget(m_footer);
    layout->addWidget(m_hideRatings);
    layout->addWidget(m_blankLine);
    layout->addWidget(m_sectionBreak);
    layout->addWidget(m_stepNumbers);
    layout->addWidget(pictureLabel);
    layout->addLayout(pictureRow);
    layout->addWidget(logo);
    layout->addStretch();
}

void CFooterPage::Load(const store::Options& o)
{
    m_printCompany->setChecked(o.m_YesNo0 != 0);
    m_customFooter->setChecked(o.m_YesNo3 != 0);
    m_footer->setPlainText(QString::fromStdString(ShownLineEnds(o.m_String4)));
    m_hideRatings->setChecked(o.m_HideRatings != 0);
    m_blankLine->setChecked(o.m_YesNo36 != 0);
    m_sectionBreak->setChecked(o.m_YesNo35 != 0);
    m_stepNumbers->setChecked(o.m_YesNo37 != 0);
    m_pictureFolder->setText(QString::fromStdString(o.m_DefaultPictCardPath));
    m_newLogo = QImage();
    m_logoCleared = false;
    const QString current = QString::fromStdString(CurrentLogo());
    ShowLogo(current.isEmpty() ? QImage() : QImageReader(current).read());
}

void CFooterPage::Store(store::Options& o) const
{
    o.m_YesNo0 = m_printCompany->isChecked() ? 1 : 0;
    o.m_YesNo3 = m_customFooter->isChecked() ? 1 : 0;
    o.m_String4 = StoredLineEnds(m_footer->toPlainText().toStdString());
    o.m_HideRatings = m_hideRatings->isChecked() ? 1 : 0;
    o.m_YesNo36 = m_blankLine->isChecked() ? 1 : 0;
    o.m_YesNo35 = m_sectionBreak->isChecked() ? 1 : 0;
    o.m_YesNo37 = m_stepNumbers->isChecked() ? 1 : 0;
    o.m_DefaultPictCardPath = PictureFolder(m_pictureFolder->text().toStdString());
}

void CFooterPage::BrowsePictureFolder()
{
    const QString chosen = ui::qt::GetOpenFileName(this, QStringLiteral("Default Picture Card Path"),
                                                   m_pictureFolder->text(),
                                                   QStringLiteral("Picture Files (*.jpg *.JPG *.jpeg);;All Files (*)"));
    if (!chosen.isEmpty())
        m_pictureFolder->setText(QString::fromStdString(PictureFolderOfChoice(chosen.toStdString())));
}

void CFooterPage::BrowseLogo()
{
    const QString chosen = ui::qt::GetOpenFileName(
        this, QStringLiteral("Report Logo"), QString(),
        QStringLiteral("Pictures (*.jpg *.jpeg *.png *.bmp *.gif *.tif *.tiff *.webp *.heic *.heif);;All Files (*)"));
    if (!chosen.isEmpty())
        ChooseLogo(chosen);
}

bool CFooterPage::ChooseLogo(const QString& file)
{
    // Prepared as the reports prepare pictures: any format they read (HEIC
    // too), upright, no wider than a logo needs to be.
    std::string why;
    const auto prepared = reports::pictures::PreparePicture(file.toStdString(), kLargestLogoWidth,
                                                            kLargestLogoWidth, &why);
    const QImage image = prepared ? QImage::fromData(reinterpret_cast<const uchar*>(prepared->bytes.data()),
                                                     static_cast<int>(prepared->bytes.size()))
                                  : QImage();
    if (image.isNull()) {
        ui::CurrentPort().inform("The picture " + file.toStdString() + " cannot be read: " + why);
        return false;
    }
    // JPEG has no transparency: transparent parts print white, as on paper.
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, image);
    m_newLogo = flat;
    m_logoCleared = false;
    ShowLogo(m_newLogo);
    return true;
}

void CFooterPage::ClearLogo()
{
    m_newLogo = QImage();
    m_logoCleared = true;
    ShowLogo(QImage());
}

std::optional<std::string> CFooterPage::ApplyLogo() const
{
    if (m_logoCleared && !options::ClearLogo())
        return "The logo " + CurrentLogo() + " could not be removed.";
    if (m_newLogo.isNull())
        return std::nullopt;
    const QString path = QString::fromStdString(LogoPath());
    // Another spelling of the name would be found before the new file.
    options::ClearLogo();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !m_newLogo.save(path, "JPEG", 90))
        return "The logo could not be written to " + path.toStdString() + ".";
    return std::nullopt;
}

void CFooterPage::ShowLogo(const QImage& image)
{
    if (image.isNull()) {
        m_logoPreview->setPixmap(QPixmap());
        m_logoPreview->setText(QStringLiteral("No logo"));
    } else {
        m_logoPreview->setText(QString());
        m_logoPreview->setPixmap(QPixmap::fromImage(
            image.scaled(kPreviewSize - QSize(8, 8), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    m_clearLogo->setEnabled(!image.isNull());
}

} // namespace options::qt

// The Options sheet driven as the inspector drives it: every field changed
// and kept by OK, nothing kept by Cancel, bad values refused with the page
// left open, data paths checked before the settings file names them, and the
// next report (read by LibreOffice) printing the company block the sheet saved.
#include "app/Settings.h"
#include "options/ReportLogo.h"
#include "options/qt/CFooterPage.h"
#include "options/qt/COptionsDlg.h"
#include "reports/ReportFixture.h"
#include "spelling/InspectionSpelling.h"
#include "reports/rtf/CInspectionRTFFile.h"
#include "store/Database.h"
#include "support/qt/FreshHome.h"
#include "support/qt/QtTestSupport.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QTabWidget>

#include <array>
#include <cstdlib>
#include <filesystem>

using options::qt::COptionsDlg;

namespace {

class OptionsSheet : public report_testing::ReportFixture {
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        app::Settings settings;
        settings.Set(app::kTemplatePathKey, templatePath);
        settings.Set(app::kInspectionPathKey, inspectionPath);
        ASSERT_TRUE(settings.Save());
        Reopen();
    }
    void TearDown() override
    {
        sheet.reset();
        ReportFixture::TearDown();
    }

    template <class T>
    T* Field(const char* page, const char* name)
    {
        for (int i = 0; i < sheet->Tabs()->count(); ++i)
            if (sheet->Tabs()->tabText(i) == QLatin1String(page)) {
                auto* field = sheet->Tabs()->widget(i)->findChild<T*>(QLatin1String(name));
                EXPECT_NE(field, nullptr) << page << " " << name;
                return field;
            }
        ADD_FAILURE() << "no page " << page;
        return nullptr;
    }
    void Type(QLineEdit* edit, const QString& text) { testing_support::qt::Retype(edit, text); }
    void TypeColumnWidths(const std::array<const char*, 5>& widths)
    {
        for (int i = 0; i < 5; ++i)
            Type(Field<QLineEdit>("General", QStringLiteral("columnWidth%1").arg(i + 1).toLatin1().constData()),
                 widths[i]);
    }
    void TypeText(QPlainTextEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClicks(edit, lines[i]);
        }
    }
    void Press(QDialogButtonBox::StandardButton which)
    {
        QTest::mouseClick(sheet->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
        QApplication::processEvents();
    }
    void Reopen()
    {
        sheet = std::make_unique<COptionsDlg>();
        sheet->show();
        QApplication::processEvents();
    }

    testing_support::qt::FreshHome home; // the settings file of the test's own
    std::unique_ptr<COptionsDlg> sheet;
};

// The visible state of every field, page by page.
QStringList Fields(COptionsDlg& sheet)
{
    QStringList out;
    for (int i = 0; i < sheet.Tabs()->count(); ++i)
        for (QWidget* w : sheet.Tabs()->widget(i)->findChildren<QWidget*>()) {
            const QString name = sheet.Tabs()->tabText(i) + "/" + w->objectName() + "=";
            if (auto* e = qobject_cast<QLineEdit*>(w))
                out << name + e->text();
            else if (auto* t = qobject_cast<QPlainTextEdit*>(w))
                out << name + t->toPlainText();
            else if (auto* c = qobject_cast<QCheckBox*>(w))
                out << name + (c->isChecked() ? "on" : "off");
            else if (auto* b = qobject_cast<QComboBox*>(w))
                out << name + b->currentText();
        }
    return out;
}

} // namespace

TEST_F(OptionsSheet, EveryFieldChangedIsKeptByOkAndNothingByCancel)
{
    const QStringList loaded = Fields(*sheet);
    for (const char* box : {"printNotPresent", "alertIncomplete"})
        QTest::mouseClick(Field<QCheckBox>("General", box), Qt::LeftButton, {}, QPoint(4, 4));
    Type(Field<QLineEdit>("General", "materialsDelimiter"), ", ");
    TypeColumnWidths({"0.5", "1.5", "4", "0.5", "0.5"}); // 7 inches: the whole text width
    Field<QComboBox>("General", "reportFontSize")->setCurrentText("10");
    Field<QComboBox>("General", "stepSpacing")->setCurrentText("2");
    Field<QComboBox>("General", "defaultStepPage")->setCurrentText("Info");
    Field<QComboBox>("General", "reportFontName")->setCurrentText("Geneva");
    Field<QComboBox>("General", "spellingLanguage")->setCurrentText("French");
    Type(Field<QLineEdit>("Owner", "name"), "Ann Ferguson");
    Type(Field<QLineEdit>("Owner", "company"), "Ferguson Home Checks");
    TypeText(Field<QPlainTextEdit>("Owner", "address"), "7 Oak Lane\nDuluth, MN 55802");
    Type(Field<QLineEdit>("Owner", "workAreaCode"), "2185"); // the fourth character is refused
    Type(Field<QLineEdit>("Owner", "workPhone"), "555-0147");
    Type(Field<QLineEdit>("Owner", "faxAreaCode"), "218");
    Type(Field<QLineEdit>("Owner", "faxNumber"), "555-0148");
    for (const char* box : {"printCompany", "useCustomFooter", "hideRatings", "blankLine", "sectionBreak",
                            "showStepNumbers"})
        QTest::mouseClick(Field<QCheckBox>("Header/Footer", box), Qt::LeftButton, {}, QPoint(4, 4));
    TypeText(Field<QPlainTextEdit>("Header/Footer", "footerText"), "Ferguson footer");
    Type(Field<QLineEdit>("Header/Footer", "pictureFolder"), folder.File("card").c_str());
    TypeText(Field<QPlainTextEdit>("Legal Text", "text"), "Ferguson legal terms apply.");
    TypeText(Field<QPlainTextEdit>("Def of Terms", "text"), "Fair means fair.");
    TypeText(Field<QPlainTextEdit>("Summary Disclaimer", "text"), "Summary only.");
    QImage logo(60, 30, QImage::Format_ARGB32);
    logo.fill(Qt::transparent);
    ASSERT_TRUE(logo.save(folder.File("logo.png").c_str()));
    ASSERT_TRUE(sheet->FooterPage()->ChooseLogo(folder.File("logo.png").c_str()));
    EXPECT_EQ(Field<QLineEdit>("Owner", "workAreaCode")->text(), "218");

    const QStringList typed = Fields(*sheet);
    Press(QDialogButtonBox::Ok);
    ASSERT_EQ(sheet->result(), QDialog::Accepted) << port.AllText();

    store::Options o;
    EXPECT_EQ(o.m_YesNo1 != 0, !loaded.contains("General/printNotPresent=on"));
    EXPECT_EQ(o.m_String7, ", ");
    EXPECT_EQ(o.m_ColumnWidth3, 4.0);
    EXPECT_EQ(o.m_ReportFontSize, 10);
    EXPECT_EQ(o.m_DefStepTab, 3);
    EXPECT_EQ(o.m_ReportFontName, "Geneva");
    EXPECT_EQ(spelling::InspectionLanguage(0), spelling::kFrench); // the settings file overrides the doc type
    EXPECT_EQ(o.m_String5, "Ferguson legal terms apply.");
    EXPECT_EQ(o.m_DefaultPictCardPath, folder.File("card") + "/");
    const std::string jpeg = report_testing::ReadFile(options::LogoPath());
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");

    Reopen();
    QStringList expected = typed;
    expected.replaceInStrings(folder.File("card").c_str(), (folder.File("card") + "/").c_str());
    EXPECT_EQ(Fields(*sheet), expected);

    // Cancel keeps nothing, wherever the change was made.
    Type(Field<QLineEdit>("Owner", "company"), "Someone Else");
    TypeText(Field<QPlainTextEdit>("Legal Text", "text"), "Other terms.");
    sheet->FooterPage()->ClearLogo();
    Press(QDialogButtonBox::Cancel);
    Reopen();
    EXPECT_EQ(Fields(*sheet), expected);
    EXPECT_FALSE(options::CurrentLogo().empty());
    EXPECT_TRUE(port.messages.empty()) << port.AllText();
}

TEST_F(OptionsSheet, BadValuesAndDataPathsKeepTheSheetOpenAndSaveNothing)
{
    struct Case {
        const char* page;
        const char* field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"General", "columnWidth2", "wide", "number of inches"},
        {"General", "columnWidth3", "6", "inches wide"},
        {"General", "columnWidth1", "-1", "zero or more"},
        {"Owner", "name", "Ann", "too short"},
    };
    const store::Options before;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        Reopen();
        Type(Field<QLineEdit>(c.page, c.field), c.text);
        Type(Field<QLineEdit>("Owner", "company"), "Never Saved Inc");
        Press(QDialogButtonBox::Ok);
        EXPECT_TRUE(sheet->isVisible());
        EXPECT_EQ(sheet->Tabs()->tabText(sheet->Tabs()->currentIndex()), c.page);
        EXPECT_TRUE(port.Saw(c.message)) << port.AllText();
        port.messages.clear();
    }
    EXPECT_EQ(store::Options().m_ColumnWidth2, before.m_ColumnWidth2);
    EXPECT_EQ(testing_support::QueryText(0, "SELECT Company FROM Owner"), "Sound Homes Inspection");

    // A stored default step page out of range is reported, and must be chosen.
    SetOptions([](store::Options& o) { o.m_DefStepTab = 7; });
    Reopen();
    QTest::qWait(20);
    EXPECT_TRUE(port.Saw("m_Options_DefaultStepPageIndex = 7")) << port.AllText();
    EXPECT_EQ(Field<QComboBox>("General", "defaultStepPage")->currentIndex(), -1);
    Press(QDialogButtonBox::Ok);
    EXPECT_TRUE(port.Saw("Please choose the Default Step Page."));
    Field<QComboBox>("General", "defaultStepPage")->setCurrentIndex(1);
    Press(QDialogButtonBox::Ok);
    EXPECT_EQ(store::Options().m_DefStepTab, 1);

    // Data paths are checked before the settings file names them.
    Reopen();
    report_testing::WriteFile(folder.File("notes.cdb"), "plain text, not a database");
    Type(Field<QLineEdit>("General", "templatePath"), folder.File("notes.cdb").c_str());
    Press(QDialogButtonBox::Ok);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(port.Saw("is not a data file of Inspector")) << port.AllText();
    EXPECT_EQ(app::Settings().Get(app::kTemplatePathKey), templatePath);

    // A missing file is created when the user agrees; the settings file then
    // names it, and the program keeps the files it has open until it restarts.
    const std::string fresh = folder.File("elsewhere/Inspection_Data.cdb");
    Type(Field<QLineEdit>("General", "templatePath"), templatePath.c_str());
    Type(Field<QLineEdit>("General", "inspectionPath"), fresh.c_str());
    port.confirmations.push_back(true);
    Press(QDialogButtonBox::Ok);
    ASSERT_EQ(sheet->result(), QDialog::Accepted) << port.AllText();
    EXPECT_TRUE(sheet->PathsChanged());
    EXPECT_TRUE(port.Saw("next time Inspector starts"));
    EXPECT_EQ(app::Settings().Get(app::kInspectionPathKey), fresh);
    EXPECT_EQ(store::Database::Path(store::DatabaseKind::Inspection), inspectionPath);
    EXPECT_TRUE(std::filesystem::exists(fresh));
}

TEST_F(OptionsSheet, TheNextReportPrintsTheCompanyBlockAndLegalText)
{
    const int grounds = AddCategory("Grounds", "110");
    AddStep(grounds, "1", "Driveway", "Functional", "Hairline cracks.");
    Type(Field<QLineEdit>("Owner", "company"), "Lakeside Inspections");
    TypeText(Field<QPlainTextEdit>("Owner", "address"), "400 Shore Drive\nDuluth, MN 55802");
    TypeText(Field<QPlainTextEdit>("Legal Text", "text"), "Lakeside terms of service.");
    Press(QDialogButtonBox::Ok);
    ASSERT_EQ(sheet->result(), QDialog::Accepted) << port.AllText();

    reports::rtf::CInspectionRTFFile writer;
    Run(writer, "4 Column");

    // LibreOffice prints the page header (where the company block stands) into
    // the PDF; its plain-text export would leave headers out.
    const std::string command = "soffice -env:UserInstallation=file://" + folder.File("lo-profile") +
                                " --headless --convert-to pdf --outdir " + folder.File("pdf") + " " +
                                folder.File("report.rtf") + " > " + folder.File("soffice.log") + " 2>&1 && pdftotext " +
                                folder.File("pdf/report.pdf") + " " + folder.File("report.txt");
    ASSERT_EQ(std::system(command.c_str()), 0) << report_testing::ReadFile(folder.File("soffice.log"));
    const std::string text = report_testing::ReadFile(folder.File("report.txt"));
    for (const char* words : {"Lakeside Inspections", "400 Shore Drive", "Duluth, MN 55802",
                              "Lakeside terms of service.", "Driveway"})
        EXPECT_NE(text.find(words), std::string::npos) << words << "\n" << text;
}

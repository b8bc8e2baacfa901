#include "store/Options.h"

#include "store/InspectionType.h"
#include "text/Windows1252.h"

namespace store {

Options::Options() : TableRecord(DatabaseKind::Template)
{
    m_tableName = "Options";
    BindYesNo(m_YesNo0, "YesNo0");
    BindYesNo(m_YesNo1, "YesNo1");
    BindYesNo(m_YesNo2, "YesNo2");
    BindYesNo(m_YesNo3, "YesNo3");
    BindText(m_String4, "String4");
    BindText(m_String5, "String5");
    BindText(m_String6, "String6");
    BindText(m_String7, "String7");
    BindText(m_DataVersion, "DataVersion", "varchar(20)");
    BindText(m_SummaryDisclaimer, "SummaryDisclaimer", "Text");
    BindDouble(m_ColumnWidth1, "ColumnWidth1", "float");
    BindDouble(m_ColumnWidth2, "ColumnWidth2", "float");
    BindDouble(m_ColumnWidth3, "ColumnWidth3", "float");
    BindDouble(m_ColumnWidth4, "ColumnWidth4", "float");
    BindDouble(m_ColumnWidth5, "ColumnWidth5", "float");
    BindInteger(m_OptionsID, "OptionsID", "integer");
    BindBinary(m_ReportIcon, "ReportIcon", "Long Varbinary");
    BindInteger(m_ReportFontSize, "ReportFontSize", "integer");
    BindText(m_UserName, "UserName", "varchar(20)");
    BindText(m_Pswrd, "Pswrd", "varchar(20)");
    BindText(m_IPAddress, "IPAddress", "varchar(80)");
    BindInteger(m_Port, "Port", "integer");
    BindInteger(m_StepSpacing, "StepSpacing", "integer");
    BindYesNo(m_PrintTOC, "PrintTOC", "bit");
    BindText(m_DefaultPath, "DefaultPath", "varchar(255)");
    BindText(m_String25, "String25");
    BindText(m_String26, "String26");
    BindText(m_String27, "String27");
    BindText(m_String28, "String28");
    BindText(m_String29, "String29");
    BindText(m_String30, "String30");
    BindText(m_String31, "String31");
    BindText(m_String32, "String32");
    BindInteger(m_NextPictNumber, "NextPictNumber", "integer");
    BindYesNo(m_HideRatings, "HideRatings", "bit");
    BindYesNo(m_YesNo35, "YesNo35");
    BindYesNo(m_YesNo36, "YesNo36");
    BindYesNo(m_YesNo37, "YesNo37");
    BindInteger(m_DefStepTab, "DefStepTab", "integer");
    BindText(m_ReportFontName, "ReportFontName", "Text");
    BindText(m_DefaultPictCardPath, "DefaultPictCardPath", "Text");

    CheckStructure();
    Open();
    Read(0);
}

Options::~Options() = default;

void Options::Read(int index)
{
    TableRecord::Read(index);
    if (m_ReportFontSize != 10 && m_ReportFontSize != 12)
        m_ReportFontSize = 12;
    if (m_StepSpacing != 1 && m_StepSpacing != 2)
        m_StepSpacing = 2;
    if (m_ColumnWidth1 == 0 && m_ColumnWidth2 == 0 && m_ColumnWidth3 == 0 && m_ColumnWidth4 == 0 &&
        m_ColumnWidth5 == 0) {
        // Widths in inches that suit the layout of the first document type.
        InspectionType first;
        bool fourColumns = false;
        if (first.Open() && first.GetCount() > 0) {
            first.Read(0);
            fourColumns = text::EqualsIgnoreCase(first.m_ReportLayout, "4 Column");
        }
        if (fourColumns) {
            m_ColumnWidth1 = 0.6, m_ColumnWidth2 = 1.28, m_ColumnWidth3 = 1.12, m_ColumnWidth4 = 1.0,
            m_ColumnWidth5 = 1.75;
        } else {
            m_ColumnWidth1 = 0.73, m_ColumnWidth2 = 1.23, m_ColumnWidth3 = 4.19, m_ColumnWidth4 = 0,
            m_ColumnWidth5 = 0;
        }
    }
}

std::optional<Bitmap> Options::GetReportIcon() const
{
    if (m_ReportIcon.size() <= kReportIconHeader)
        return std::nullopt;
    return DecodeBitmapFile(m_ReportIcon.data() + kReportIconHeader, m_ReportIcon.size() - kReportIconHeader);
}

} // namespace store

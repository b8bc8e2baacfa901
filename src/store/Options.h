#pragma once
// The settings of the installation: report switches and texts, column widths,
// fonts, the picture counter, the server connection and the structure version.
#include "store/Bitmap.h"
#include "store/TableRecord.h"

#include <cstdint>
#include <optional>
#include <string>

namespace store {

class Options : public TableRecord {
public:
    // Checks the table's structure, opens it and reads the first row.
    Options();
    ~Options() override;

    // Reads row `index`, then puts sensible values in place of unusable ones.
    void Read(int index);
    // The report logo, or nothing when none is stored or it cannot be decoded.
    std::optional<Bitmap> GetReportIcon() const;

    std::int32_t m_YesNo0 = 0;  // print the company block
    std::int32_t m_YesNo1 = 0;  // print the page of categories not present
    std::int32_t m_YesNo2 = 0;  // alert when a category is incomplete
    std::int32_t m_YesNo3 = 0;  // use the custom footer text
    std::string m_String4;      // custom footer text
    std::string m_String5;      // legal text
    std::string m_String6;      // definitions of terms
    std::string m_String7;      // materials delimiter
    std::string m_DataVersion;
    std::string m_SummaryDisclaimer;
    double m_ColumnWidth1 = 0;
    double m_ColumnWidth2 = 0;
    double m_ColumnWidth3 = 0;
    double m_ColumnWidth4 = 0;
    double m_ColumnWidth5 = 0;
    std::int32_t m_OptionsID = 0;
    Blob m_ReportIcon;
    std::int32_t m_ReportFontSize = 0;
    std::string m_UserName;
    std::string m_Pswrd;
    std::string m_IPAddress;
    std::int32_t m_Port = 0;
    std::int32_t m_StepSpacing = 0;
    std::int32_t m_PrintTOC = 0;
    std::string m_DefaultPath;
    // Custom labels of the setup fields, used when the first is not empty:
    // dwelling address, client address, client's agent, doc type, real estate
    // company, doc #, client name, date time.
    std::string m_String25, m_String26, m_String27, m_String28, m_String29, m_String30, m_String31, m_String32;
    std::int32_t m_NextPictNumber = 0;
    std::int32_t m_HideRatings = 0;
    std::int32_t m_YesNo35 = 0; // section break between categories
    std::int32_t m_YesNo36 = 0; // blank line between comments
    std::int32_t m_YesNo37 = 0; // show step numbers
    std::int32_t m_DefStepTab = 0;
    std::string m_ReportFontName;
    std::string m_DefaultPictCardPath;
};

// The length of the object header in front of the stored logo's bitmap file.
inline constexpr std::size_t kReportIconHeader = 78;

} // namespace store

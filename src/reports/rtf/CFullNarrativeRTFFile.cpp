#include "reports/rtf/CFullNarrativeRTFFile.h"

#include "editing/PictureTags.h"
#include "reports/layout/StepTableGeometry.h"

namespace reports::rtf {

CFullNarrativeRTFFile::CFullNarrativeRTFFile()
{
    m_includePictures = true;
}

CFullNarrativeRTFFile::~CFullNarrativeRTFFile() = default;

void CFullNarrativeRTFFile::WriteHeaderCompanyBlock()
{
    const std::string n = FontHalfPoints();
    WriteString("\\s15\\qc\\widctlpar\\tqc\\tx4320\\tqr\\tx8640 {\\cs17\\b\\fs" + n + " ");
    WriteString(kAffiliateTitle);
    WriteString("} \\par ");
    WriteString("\\pard \\s15\\qc\\widctlpar\\tqc\\tx4320\\tqr\\tx8640 {\\cs17\\b\\fs" + n + " ");
    for (const std::string* line : {&m_companyName, &m_contactLine, &m_address1, &m_address2, &m_cityLine}) {
        if (line->empty())
            continue;
        WriteText(*line);
        WriteString("\\par ");
    }
    WriteString("\\brdrt\\brdrs");
    WriteString("\\par ");
    WriteString("} \\par}");
    WriteString(" \\pard ");
}

void CFullNarrativeRTFFile::WriteNarrativeBlock(const std::string& name, const std::string& text)
{
    if (m_firstSectionPending) {
        WritePrologue(m_documentTypeTitle.empty() ? m_docTypeName : m_documentTypeTitle, {});
        m_firstSectionPending = false;
    } else {
        WriteString("\\par\\par ");
        WriteString("\\pard ");
    }
    WriteString("\\b ");
    WriteText(name);
    WriteString("\\b0");
    WriteString("\\par");
    WriteString("\\par ");
    WriteString("\\ql" + Fs() + " ");
    WriteText(editing::StripAllTags(text));
    WriteTaggedPictures(text, layout::kReportTextWidth, true);
}

} // namespace reports::rtf

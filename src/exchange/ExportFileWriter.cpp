#include "exchange/ExportFileWriter.h"

#include "exchange/ExportFileFormat.h"
#include "text/Windows1252.h"

namespace exchange {

void ExportFileWriter::WriteHeader()
{
    m_bytes += kExportFileMagic;
    m_bytes += kFieldSeparator;
    m_bytes += kRecordTerminator;
}

void ExportFileWriter::BeginRecord(std::string_view keyword)
{
    m_bytes += keyword;
}

void ExportFileWriter::Text(std::string_view utf8, std::string_view name)
{
    int replaced = 0;
    std::string bytes = text::ToWindows1252(utf8, &replaced);
    m_replaced += replaced;
    m_bytes += kFieldSeparator;
    if (bytes.find(kFieldSeparator) != std::string::npos || bytes.find(kRecordTerminator) != std::string::npos) {
        m_refused.push_back("the field " + std::string(name) + " of " + m_place);
        return;
    }
    m_bytes += bytes;
}

void ExportFileWriter::Number(std::int64_t value)
{
    m_bytes += kFieldSeparator;
    m_bytes += std::to_string(value);
}

void ExportFileWriter::YesNo(std::int32_t value)
{
    m_bytes += kFieldSeparator;
    m_bytes += value != 0 ? kTrue : kFalse;
}

void ExportFileWriter::EndRecord()
{
    m_bytes += kRecordTerminator;
}

} // namespace exchange

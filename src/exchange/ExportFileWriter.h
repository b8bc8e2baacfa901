#pragma once
// Builds the bytes of an export file record by record. Text values arrive as
// UTF-8 and leave as Windows-1252; a character Windows-1252 lacks becomes "?"
// and is counted. A value that would carry the field separator or the record
// terminator (the characters ¤ and §) is not written: it is noted with the
// place it comes from, and the caller refuses the export.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

class ExportFileWriter {
public:
    // The first record: the magic text and one empty field.
    void WriteHeader();

    // Names the record whose values follow, for the messages about refused
    // values, for example: the step "Roof Covering" of the category "Roof".
    void SetPlace(std::string place) { m_place = std::move(place); }

    void BeginRecord(std::string_view keyword);
    // A text field; `name` is the field's name for the messages.
    void Text(std::string_view utf8, std::string_view name);
    void Number(std::int64_t value);
    void YesNo(std::int32_t value);
    void EndRecord();

    const std::string& Bytes() const { return m_bytes; }
    // Characters written as "?" because Windows-1252 lacks them.
    int Replaced() const { return m_replaced; }
    // One line per refused value: the field and the place.
    const std::vector<std::string>& Refused() const { return m_refused; }

private:
    std::string m_bytes;
    std::string m_place;
    int m_replaced = 0;
    std::vector<std::string> m_refused;
};

} // namespace exchange

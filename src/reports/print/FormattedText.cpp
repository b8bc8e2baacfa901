#include "reports/print/FormattedText.h"

#include <cctype>

namespace reports::print {

std::vector<TextRun> FormattedRuns(std::string_view s)
{
    std::vector<TextRun> runs(1);
    const auto style = [&runs](bool bold, bool italic, bool underline) {
        if (runs.back().text.empty())
            runs.pop_back();
        TextRun run;
        run.bold = bold, run.italic = italic, run.underline = underline;
        runs.push_back(run);
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        TextRun& cur = runs.back();
        if (c == '\r') {
            cur.text += '\n';
            if (i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
            continue;
        }
        if (c == '{' || c == '}')
            continue;
        if (c == '\xC2' && i + 1 < s.size() && s[i + 1] == '\xAC') { // U+00AC: the stored line break
            cur.text += '\n';
            ++i;
            continue;
        }
        if (c != '\\') {
            cur.text += c;
            continue;
        }
        if (i + 1 >= s.size())
            break;
        const char n = s[i + 1];
        if (n == '\\' || n == '{' || n == '}') {
            cur.text += n;
            ++i;
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(n))) {
            ++i; // a control symbol: dropped
            continue;
        }
        std::size_t j = i + 1;
        while (j < s.size() && std::isalpha(static_cast<unsigned char>(s[j])))
            ++j;
        const std::string word(s.substr(i + 1, j - i - 1));
        std::size_t k = j;
        if (k < s.size() && s[k] == '-')
            ++k;
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k])))
            ++k;
        const std::string param(s.substr(j, k - j));
        if (k < s.size() && s[k] == ' ')
            ++k; // the delimiting space belongs to the word
        i = k - 1;
        const bool on = param != "0";
        if (word == "b")
            style(on, cur.italic, cur.underline);
        else if (word == "i")
            style(cur.bold, on, cur.underline);
        else if (word == "ul")
            style(cur.bold, cur.italic, on);
        else if (word == "ulnone")
            style(cur.bold, cur.italic, false);
        else if (word == "plain")
            style(false, false, false);
        else if (word == "par" || word == "line")
            cur.text += '\n';
        else if (word == "tab")
            cur.text += '\t';
    }
    if (runs.size() > 1 && runs.back().text.empty())
        runs.pop_back();
    return runs;
}

} // namespace reports::print

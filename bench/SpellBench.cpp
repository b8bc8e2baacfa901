// Checking the spelling of every comment of a large inspection, which the
// Spell Check command and `inspector-cli spell` do before a report goes out:
// about 100,000 words (500 steps of 200 words), against finding the words
// alone (the part of the work that is not Hunspell's).
#include "spelling/SpellChecker.h"
#include "spelling/WordFinder.h"
#include "store/StarterLibrary.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

// 500 step comments of about 200 words each, made of the starter library's
// stock comments with a misspelled word now and then.
std::vector<std::string> Comments()
{
    std::vector<std::string> sentences;
    for (const auto& file : store::StarterLibraryTexts()) {
        if (file.name == "french.txt")
            continue;
        std::istringstream lines(file.text);
        std::string line;
        while (std::getline(lines, line))
            if (line.rfind("comment ", 0) == 0)
                sentences.push_back(line.substr(8, line.find(" | ") - 8));
    }
    std::vector<std::string> comments(500);
    std::size_t next = 0;
    for (std::size_t i = 0; i < comments.size(); ++i) {
        int words = 0;
        while (words < 200) {
            const std::string& s = sentences[next++ % sentences.size()];
            comments[i] += s + (next % 7 == 0 ? " recieve " : " ");
            words += static_cast<int>(std::count(s.begin(), s.end(), ' ')) + 1;
        }
    }
    return comments;
}

std::int64_t WordCount(const std::vector<std::string>& comments)
{
    std::int64_t words = 0;
    for (const auto& c : comments)
        words += static_cast<std::int64_t>(spelling::FindWords(c).size());
    return words;
}

void BM_SpellCheckInspection(benchmark::State& state)
{
    const auto comments = Comments();
    const spelling::SpellChecker checker(spelling::kEnglish);
    if (!checker.Available()) {
        state.SkipWithError(checker.Problem().c_str());
        return;
    }
    std::size_t found = 0;
    for (auto _ : state)
        for (const auto& c : comments)
            found += checker.Check(c).size();
    benchmark::DoNotOptimize(found);
    state.counters["words"] = static_cast<double>(WordCount(comments));
    state.counters["words/s"] =
        benchmark::Counter(static_cast<double>(WordCount(comments)) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SpellCheckInspection)->Unit(benchmark::kMillisecond);

void BM_FindWordsOnly(benchmark::State& state)
{
    const auto comments = Comments();
    for (auto _ : state)
        benchmark::DoNotOptimize(WordCount(comments));
}
BENCHMARK(BM_FindWordsOnly)->Unit(benchmark::kMillisecond);

} // namespace

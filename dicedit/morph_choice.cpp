#include "dicedit/morph_choice.h"

namespace umlo {

MorphChoice::MorphChoice(const MorphoGen& rules, std::string_view word)
    : word_(word), candidates_(rules.CollectCandidates(word)) {}

std::vector<std::string> MorphChoice::Labels() const {
    std::vector<std::string> labels;
    labels.reserve(candidates_.size());
    for (const auto& candidate : candidates_) {
        labels.push_back(candidate.label);
    }
    return labels;
}

std::vector<std::string> MorphChoice::Forms(int index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    const MorphCandidate& candidate = candidates_[static_cast<size_t>(index)];
    return MakeForms(word_, candidate.endings, candidate.cut);
}

std::optional<BaseForm> BaseFormOfLine(std::string_view line) {
    if (line.empty()) {
        return std::nullopt;
    }
    return SplitDoubtful(line);
}

std::vector<std::string> FormLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (end > start) {
            lines.emplace_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return lines;
}

} // namespace umlo

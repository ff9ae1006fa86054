#include "support/record_lexing.h"

#include <algorithm>
#include <array>

namespace record {

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\u3000'; }

Text Trim(Text text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool StartsWith(Text text, Text prefix) { return text.substr(0, prefix.size()) == prefix; }

std::vector<Text> Lines(const std::u32string& text) {
    std::vector<Text> lines;
    Text rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find(U'\n');
        Text line = rest.substr(0, end);
        if (!line.empty() && line.back() == U'\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == Text::npos) break;
        rest.remove_prefix(end + 1);
    }
    return lines;
}

std::optional<HeaderField> HeaderFieldOf(Text line) {
    if (line.empty() || line[0] == U'#' || line[0] == U'*' || line[0] == U'&') return std::nullopt;
    std::size_t colon = line.find(U'：');
    if (colon == Text::npos) colon = line.find(U':');
    if (colon == Text::npos) return std::nullopt;
    return HeaderField{Trim(line.substr(0, colon)), Trim(line.substr(colon + 1))};
}

bool IsRecordKey(Text key) {
    static constexpr std::array<Text, 12> kKeys = {U"開始日時", U"終了日時", U"棋戦",   U"表題",
                                                   U"作品名",   U"作者",     U"先手",   U"後手",
                                                   U"下手",     U"上手",     U"手合割", U"場所"};
    return std::find(kKeys.begin(), kKeys.end(), key) != kKeys.end();
}

int MoveNumber(Text line) {
    line = Trim(line);
    int number = 0;
    std::size_t i = 0;
    for (; i < line.size() && line[i] >= U'0' && line[i] <= U'9'; ++i) {
        number = std::min(number * 10 + static_cast<int>(line[i] - U'0'), 100000);
    }
    if (i == 0 || i == line.size() || !IsBlank(line[i])) return 0;
    const Text move = Trim(line.substr(i));
    if (move.empty()) return 0;
    const char32_t first = move.front();
    return (first >= U'１' && first <= U'９') || first == U'同' ? number : 0;
}

}  // namespace record

#include "support/record_reader.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/file_head.h"
#include "support/kanji_numerals.h"
#include "support/modConst.h"
#include "support/record_text.h"

namespace record {
namespace {

using shogi::Piece;
using shogi::Side;
using Text = std::u32string_view;

// The longest title or author kept: the preview shows one line of each.
constexpr std::size_t kLongestField = 80;
// The most characters of a file's own text that a reason quotes.
constexpr std::size_t kLongestQuote = 10;

// A reason: the program's own words and, after them, a piece of the file's text, cut to a few
// characters with an ellipsis where it goes on, so that a reason stays one short line.
std::string Reason(std::string_view words, Text quoted) {
    std::string reason(words);
    reason += ToUtf8(quoted.substr(0, kLongestQuote));
    if (quoted.size() > kLongestQuote) reason += "…";
    return reason;
}

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\u3000'; }

Text Trim(Text text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

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

// 成香, 成桂, 成銀: the promoted piece named with two characters.
std::optional<Piece> PromotedWithPrefix(char32_t c) {
    switch (c) {
        case U'香':
            return Piece::PromotedLance;
        case U'桂':
            return Piece::PromotedKnight;
        case U'銀':
            return Piece::PromotedSilver;
        default:
            return std::nullopt;
    }
}

// A count of pieces in hand: nothing written is one, else a number (kanji_numerals.h).
std::optional<int> ParseCount(Text text) {
    if (text.empty()) return 1;
    return kanji::ParseNumber(text);
}

bool IsHandSeparator(char32_t c) { return IsBlank(c) || c == U'、' || c == U','; }

// A hand such as "飛　金二　歩十二", "歩2 香" or "なし". False when it cannot be read.
bool ParseHand(Text value, shogi::Hand& hand) {
    if (value.empty() || value == U"なし") return true;
    std::size_t i = 0;
    while (i < value.size()) {
        if (IsHandSeparator(value[i])) {
            ++i;
            continue;
        }
        const std::optional<Piece> piece = shogi::PieceNamed(value[i]);
        if (!piece || static_cast<int>(*piece) >= shogi::kHandKinds) return false;
        const std::size_t countStart = ++i;
        while (i < value.size() && kanji::IsNumeralCharacter(value[i])) ++i;
        const std::optional<int> count = ParseCount(value.substr(countStart, i - countStart));
        if (!count) return false;
        int& held = hand[static_cast<int>(*piece)];
        held = std::min(held + *count, 99);
    }
    return true;
}

// One rank of a diagram, "| ・ ・v桂v香 ・ ・ ・ ・ 歩|一": nine squares, each a blank or "v"
// (the second player's) before a piece, or "・" for an empty square.
bool ParseRank(Text line, int rank, std::array<shogi::Square, 9>& squares, std::string& problem) {
    int count = 0;
    Side side = Side::Sente;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const char32_t c = line[i];
        if (c == U'|') break;
        if (IsBlank(c)) continue;
        if (c == U'v' || c == U'V') {
            side = Side::Gote;
            continue;
        }
        if (c == U'^') {
            side = Side::Sente;
            continue;
        }
        std::optional<Piece> piece;
        if (c == U'・') {
            piece = Piece::None;
        } else if (c == U'成' && i + 1 < line.size() && PromotedWithPrefix(line[i + 1])) {
            piece = PromotedWithPrefix(line[++i]);
        } else {
            piece = shogi::PieceNamed(c);
        }
        if (!piece) {
            problem = Reason(modConst::kPreviewUnknownPiece, Text(&line[i], 1));
            return false;
        }
        if (count == 9) {  // a tenth square
            count = 0;
            break;
        }
        squares[count++] = {*piece, *piece == Piece::None ? Side::Sente : side};
        side = Side::Sente;
    }
    if (count != 9) {
        problem = std::string(modConst::kPreviewRankBrokenPrefix) + kanji::Numeral(rank + 1) +
                  std::string(modConst::kPreviewRankBrokenSuffix);
        return false;
    }
    return true;
}

// The number of a move line, "   3 ３二飛成(52)   ( 0:00/00:00:00)" or "  12 同　歩(13)": 0
// for any other line, such as the line that ends the record ("  4 投了").
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

bool StartsWith(Text text, Text prefix) { return text.substr(0, prefix.size()) == prefix; }

// The keys of header lines that only a record has.
bool IsRecordKey(Text key) {
    static constexpr std::array<Text, 12> kKeys = {U"開始日時", U"終了日時", U"棋戦",   U"表題",
                                                   U"作品名",   U"作者",     U"先手",   U"後手",
                                                   U"下手",     U"上手",     U"手合割", U"場所"};
    return std::find(kKeys.begin(), kKeys.end(), key) != kKeys.end();
}

class Reader {
  public:
    Summary Read(const std::u32string& text) {
        const std::vector<Text> lines = Lines(text);
        bool inVariation = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const Text line = lines[i];
            if (StartsWith(line, U"変化")) inVariation = true;
            if (!inVariation) {
                if (const int number = MoveNumber(line)) {
                    summary_.moves = std::max(summary_.moves, number);
                    looksLikeRecord_ = true;
                    continue;
                }
            }
            if (!diagramSeen_ && (StartsWith(line, U"|") || StartsWith(line, U"+-"))) {
                i = ReadDiagram(lines, i) - 1;
                continue;
            }
            ReadLine(line);
        }
        return Finish();
    }

  private:
    // Reads the diagram whose first line (its frame or first rank) is lines[first]; gives the
    // index of the first line after it.
    std::size_t ReadDiagram(const std::vector<Text>& lines, std::size_t first) {
        diagramSeen_ = true;
        std::size_t i = first;
        if (StartsWith(lines[i], U"+")) ++i;
        int rank = 0;
        for (; i < lines.size() && StartsWith(lines[i], U"|"); ++i, ++rank) {
            if (rank == 9) {
                Fail(std::string(modConst::kPreviewDiagramBroken));
                return i;
            }
            if (problem_.empty()) ParseRank(lines[i], rank, position_.board[rank], problem_);
        }
        if (rank < 9) Fail(std::string(modConst::kPreviewDiagramCut));
        if (i < lines.size() && StartsWith(lines[i], U"+")) ++i;
        return i;
    }

    void ReadLine(Text line) {
        const Text trimmed = Trim(line);
        if (trimmed == U"後手番" || trimmed == U"上手番") toMove_ = Side::Gote;
        if (trimmed == U"先手番" || trimmed == U"下手番") toMove_ = Side::Sente;
        if (StartsWith(trimmed, U"手数") && trimmed.find(U"指手") != Text::npos) {
            looksLikeRecord_ = true;
        }
        if (line.empty() || line[0] == U'#' || line[0] == U'*' || line[0] == U'&') return;
        std::size_t colon = line.find(U'：');
        if (colon == Text::npos) colon = line.find(U':');
        if (colon == Text::npos) return;
        const Text key = Trim(line.substr(0, colon));
        const Text value = Trim(line.substr(colon + 1));
        if (IsRecordKey(key)) looksLikeRecord_ = true;
        if (key == U"表題" || (key == U"作品名" && summary_.title.empty())) {
            summary_.title = ToUtf8(value.substr(0, kLongestField));
        } else if (key == U"作者") {
            summary_.author = ToUtf8(value.substr(0, kLongestField));
        } else if (key == U"手合割" && !handicap_) {
            handicap_ = std::u32string(value);
        } else if (key == U"先手の持駒" || key == U"下手の持駒") {
            ReadHand(Side::Sente, value);
        } else if (key == U"後手の持駒" || key == U"上手の持駒") {
            if (value == U"残り全部") {
                restToGote_ = true;
            } else {
                ReadHand(Side::Gote, value);
            }
        }
    }

    void ReadHand(Side side, Text value) {
        handSeen_ = true;
        shogi::Hand hand{};
        if (!ParseHand(value, hand)) {
            Fail(Reason(modConst::kPreviewBadHand, value));
            return;
        }
        position_.hand(side) = hand;
    }

    void Fail(std::string problem) {
        if (problem_.empty()) problem_ = std::move(problem);
    }

    Summary Finish() {
        if (!problem_.empty()) {
            summary_.problem = problem_;
            return summary_;
        }
        if (diagramSeen_) {
            if (restToGote_) shogi::GiveTheRest(position_, Side::Gote);
            position_.toMove = toMove_.value_or(Side::Sente);
        } else if (handicap_) {
            const std::optional<shogi::Position> setUp = shogi::HandicapPosition(*handicap_);
            if (!setUp) {
                summary_.problem = Reason(modConst::kPreviewUnknownHandicap, *handicap_);
                return summary_;
            }
            position_ = *setUp;
            if (toMove_) position_.toMove = *toMove_;
        } else if (looksLikeRecord_ || handSeen_) {
            position_ = shogi::EvenGame();
        } else {
            summary_.problem = std::string(modConst::kPreviewNoPosition);
            return summary_;
        }
        if (const std::optional<Piece> kind = shogi::KindWithTooMany(position_)) {
            summary_.problem =
                std::string(modConst::kPreviewTooManyPieces) + shogi::PieceName(*kind);
            return summary_;
        }
        summary_.position = position_;
        return summary_;
    }

    Summary summary_;
    shogi::Position position_;
    std::string problem_;
    std::optional<std::u32string> handicap_;
    std::optional<Side> toMove_;
    bool diagramSeen_ = false;
    bool handSeen_ = false;
    bool restToGote_ = false;
    bool looksLikeRecord_ = false;
};

bool LooksBinary(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") return false;
    return bytes.find('\0') != std::string_view::npos;
}

Summary Problem(std::string_view problem) {
    Summary summary;
    summary.problem = std::string(problem);
    return summary;
}

}  // namespace

Summary ReadRecord(std::string_view bytes) {
    if (bytes.empty()) return Problem(modConst::kPreviewEmpty);
    if (LooksBinary(bytes)) return Problem(modConst::kPreviewBinary);
    return Reader().Read(DecodeRecordText(bytes));
}

Summary ReadRecordFile(const std::string& path) {
    const platform::FileHead head = platform::ReadFileHead(path, kRecordReadLimit);
    switch (head.status) {
        case platform::HeadStatus::Missing:
            return Problem(modConst::kPreviewMissing);
        case platform::HeadStatus::NotAFile:
            return Problem(modConst::kPreviewNotAFile);
        case platform::HeadStatus::Unreadable:
            return Problem(modConst::kPreviewUnreadable);
        case platform::HeadStatus::Read:
            break;
    }
    if (!head.Whole()) return Problem(modConst::kPreviewTooLarge);
    return ReadRecord(head.bytes);
}

}  // namespace record

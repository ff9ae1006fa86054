#include "support/record_reader.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/file_head.h"
#include "support/kanji_numerals.h"
#include "support/modConst.h"
#include "support/record_lexing.h"
#include "support/record_text.h"
#include "support/utf8_text.h"

namespace record {
namespace {

using shogi::Piece;
using shogi::Side;

// The longest title or author kept: the preview shows one line of each.
constexpr std::size_t kLongestField = 80;
// The most characters of a file's own text that a reason quotes.
constexpr std::size_t kLongestQuote = 10;

// A reason: the program's own words and, after them, a piece of the file's text, cut to a few
// characters with an ellipsis where it goes on, so that a reason stays one short line.
std::string Reason(std::string_view words, Text quoted) {
    std::string reason(words);
    reason += utf8::ToUtf8(quoted.substr(0, kLongestQuote));
    if (quoted.size() > kLongestQuote) reason += "…";
    return reason;
}

// 成香, 成桂, 成銀: the promoted piece named with two characters.
std::optional<Piece> PromotedWithPrefix(char32_t c) {
    switch (c) {
        case U'香':
            return Piece::kPromotedLance;
        case U'桂':
            return Piece::kPromotedKnight;
        case U'銀':
            return Piece::kPromotedSilver;
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
    Side side = Side::kSente;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const char32_t c = line[i];
        if (c == U'|') break;
        if (IsBlank(c)) continue;
        if (c == U'v' || c == U'V') {
            side = Side::kGote;
            continue;
        }
        if (c == U'^') {
            side = Side::kSente;
            continue;
        }
        std::optional<Piece> piece;
        if (c == U'・') {
            piece = Piece::kNone;
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
        squares[count++] = {*piece, *piece == Piece::kNone ? Side::kSente : side};
        side = Side::kSente;
    }
    if (count != 9) {
        problem = std::string(modConst::kPreviewRankBrokenPrefix) + kanji::Numeral(rank + 1) +
                  std::string(modConst::kPreviewRankBrokenSuffix);
        return false;
    }
    return true;
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
        if (trimmed == U"後手番" || trimmed == U"上手番") toMove_ = Side::kGote;
        if (trimmed == U"先手番" || trimmed == U"下手番") toMove_ = Side::kSente;
        if (StartsWith(trimmed, U"手数") && trimmed.find(U"指手") != Text::npos) {
            looksLikeRecord_ = true;
        }
        const std::optional<HeaderField> field = HeaderFieldOf(line);
        if (!field) return;
        const auto [key, value] = *field;
        if (IsRecordKey(key)) looksLikeRecord_ = true;
        if (key == U"表題" || (key == U"作品名" && summary_.title.empty())) {
            summary_.title = utf8::ToUtf8(value.substr(0, kLongestField));
        } else if (key == U"作者") {
            summary_.author = utf8::ToUtf8(value.substr(0, kLongestField));
        } else if (key == U"手合割" && !handicap_) {
            handicap_ = std::u32string(value);
        } else if (key == U"先手の持駒" || key == U"下手の持駒") {
            ReadHand(Side::kSente, value);
        } else if (key == U"後手の持駒" || key == U"上手の持駒") {
            if (value == U"残り全部") {
                restToGote_ = true;
            } else {
                ReadHand(Side::kGote, value);
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
            if (restToGote_) shogi::GiveTheRest(position_, Side::kGote);
            position_.toMove = toMove_.value_or(Side::kSente);
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
        case platform::HeadStatus::kMissing:
            return Problem(modConst::kPreviewMissing);
        case platform::HeadStatus::kNotAFile:
            return Problem(modConst::kPreviewNotAFile);
        case platform::HeadStatus::kUnreadable:
            return Problem(modConst::kPreviewUnreadable);
        case platform::HeadStatus::kRead:
            break;
    }
    if (!head.Whole()) return Problem(modConst::kPreviewTooLarge);
    return ReadRecord(head.bytes);
}

}  // namespace record

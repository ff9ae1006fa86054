// The record reader, rule by rule, on records written here: the diagram, the handicap line, the
// names of pieces, pieces in hand, the header, the encodings and bad input.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "support/modConst.h"
#include "support/record_reader.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using shogi::Piece;
using shogi::Position;
using shogi::Side;

// A diagram of our own: the second player's king on 1二 with lance and knight, a pawn on 2三.
// `fiveFive` is the square 5五 as written ("・" when empty).
std::string Diagram(const std::string& fiveFive = " ・") {
    return "  ９ ８ ７ ６ ５ ４ ３ ２ １\n"
           "+---------------------------+\n"
           "| ・ ・ ・ ・ ・ ・ ・v桂v香|一\n"
           "| ・ ・ ・ ・ ・ ・ ・ ・v玉|二\n"
           "| ・ ・ ・ ・ ・ ・ ・ 歩 ・|三\n"
           "| ・ ・ ・ ・ ・ ・ ・ ・ ・|四\n"
           "| ・ ・ ・ ・" +
           fiveFive +
           " ・ ・ ・ ・|五\n"
           "| ・ ・ ・ ・ ・ ・ ・ ・ ・|六\n"
           "| ・ ・ ・ ・ ・ ・ ・ ・ ・|七\n"
           "| ・ ・ ・ ・ ・ ・ ・ ・ ・|八\n"
           "| ・ ・ ・ ・ ・ ・ ・ ・ ・|九\n"
           "+---------------------------+\n";
}

std::string Bod(const std::string& goteHand, const std::string& senteHand,
                const std::string& fiveFive = " ・") {
    return "後手の持駒：" + goteHand + "\n" + Diagram(fiveFive) + "先手の持駒：" + senteHand + "\n";
}

Position DiagramPosition() {
    Position position;
    position.at(2, 1) = {Piece::kKnight, Side::kGote};
    position.at(1, 1) = {Piece::kLance, Side::kGote};
    position.at(1, 2) = {Piece::kKing, Side::kGote};
    position.at(2, 3) = {Piece::kPawn, Side::kSente};
    return position;
}

record::Summary Read(const std::string& text) { return record::ReadRecord(text); }

// ---- The diagram and the handicap line ---------------------------------------------------

struct PositionCase {
    const char* name;
    std::string text;
    Position expected;
};

Position WithGoldInHand() {
    Position position = DiagramPosition();
    position.hand(Side::kSente)[static_cast<int>(Piece::kGold)] = 1;
    return position;
}
Position GoteToMove(Position position) {
    position.toMove = Side::kGote;
    return position;
}
Position LanceHandicap() {
    Position position = shogi::EvenGame();
    position.at(1, 1) = {};
    position.toMove = Side::kGote;
    return position;
}

class PositionTest : public testing::TestWithParam<PositionCase> {};

TEST_P(PositionTest, GivesTheStartingPosition) {
    const record::Summary summary = Read(GetParam().text);
    EXPECT_EQ(summary.problem, "");
    ASSERT_TRUE(summary.position);
    EXPECT_TRUE(*summary.position == GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PositionTest,
    testing::Values(
        PositionCase{"BodDiagram", Bod("なし", "金"), WithGoldInHand()},
        PositionCase{"DiagramWithoutHandLines", Diagram(), DiagramPosition()},
        PositionCase{"DiagramWinsOverTheHandicapLine", "手合割：平手\n" + Bod("なし", "金"),
                     WithGoldInHand()},
        PositionCase{"SecondPlayerToMove", Diagram() + "後手番\n", GoteToMove(DiagramPosition())},
        PositionCase{"HandicapLineWithoutDiagram", "手合割：香落ち\n手数----指手--\n",
                     LanceHandicap()},
        PositionCase{"EvenGameWhenTheHandicapLineIsAbsent",
                     "開始日時：2026/01/02\n手数----指手--\n   1 ７六歩(77)\n", shogi::EvenGame()}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Names of pieces --------------------------------------------------------------------

struct VariantCase {
    const char* name;
    std::string square;
    Piece expected;
};

class PieceNameTest : public testing::TestWithParam<VariantCase> {};

TEST_P(PieceNameTest, ReadsEveryUsualName) {
    const record::Summary summary = Read(Diagram(GetParam().square));
    ASSERT_TRUE(summary.position) << summary.problem;
    EXPECT_EQ(summary.position->at(5, 5).piece, GetParam().expected);
    EXPECT_EQ(summary.position->at(5, 5).side, Side::kSente);
}

INSTANTIATE_TEST_SUITE_P(Variants, PieceNameTest,
                         testing::Values(VariantCase{"Ou", " 王", Piece::kKing},
                                         VariantCase{"Gyoku", " 玉", Piece::kKing},
                                         VariantCase{"Ryu", " 竜", Piece::kDragon},
                                         VariantCase{"RyuOld", " 龍", Piece::kDragon},
                                         VariantCase{"NariKyo", " 成香", Piece::kPromotedLance},
                                         VariantCase{"Kyo", " 杏", Piece::kPromotedLance},
                                         VariantCase{"NariKei", " 成桂", Piece::kPromotedKnight},
                                         VariantCase{"Kei", " 圭", Piece::kPromotedKnight},
                                         VariantCase{"NariGin", " 成銀", Piece::kPromotedSilver},
                                         VariantCase{"Zen", " 全", Piece::kPromotedSilver},
                                         VariantCase{"Tokin", " と", Piece::kTokin},
                                         VariantCase{"Uma", " 馬", Piece::kHorse}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Pieces in hand ---------------------------------------------------------------------

struct HandCase {
    const char* name;
    std::string gote;
    std::string sente;
    shogi::Hand expectedGote;
    shogi::Hand expectedSente;
};

// Counts in the order of Piece: -, 飛, 角, 金, 銀, 桂, 香, 歩.
class HandTest : public testing::TestWithParam<HandCase> {};

TEST_P(HandTest, CountsThePiecesInHand) {
    const record::Summary summary = Read(Bod(GetParam().gote, GetParam().sente));
    ASSERT_TRUE(summary.position) << summary.problem;
    EXPECT_EQ(summary.position->hand(Side::kGote), GetParam().expectedGote);
    EXPECT_EQ(summary.position->hand(Side::kSente), GetParam().expectedSente);
}

INSTANTIATE_TEST_SUITE_P(
    Hands, HandTest,
    testing::Values(
        HandCase{"KanjiCounts",
                 "歩十二",
                 "飛　金二　銀四",
                 {0, 0, 0, 0, 0, 0, 0, 12},
                 {0, 1, 0, 2, 4, 0, 0, 0}},
        HandCase{
            "DigitCounts", "歩2 香", "桂１", {0, 0, 0, 0, 0, 0, 1, 2}, {0, 0, 0, 0, 0, 1, 0, 0}},
        HandCase{"Nothing", "なし", "", {}, {}},
        HandCase{"TheRestOfTheSet",
                 "残り全部",
                 "金",
                 // The diagram holds a knight, a lance and a pawn of the set.
                 {0, 2, 2, 3, 4, 3, 3, 17},
                 {0, 0, 0, 1, 0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The header and the moves -----------------------------------------------------------

TEST(RecordHeaderTest, TitleAuthorAndTheMovesOfTheMainLine) {
    const record::Summary summary = Read(
        "# a record of our own\n"
        "作品名：仮題\n表題：桂の捨て駒\n作者：見本 太郎\n" +
        Bod("残り全部", "金") +
        "手数----指手---------消費時間--\n"
        "*初手が大切\n"
        "   1 ２二金打     ( 0:00/00:00:00)\n"
        "   2 同　玉(12)   ( 0:00/00:00:00)\n"
        "   3 ３四桂打     ( 0:00/00:00:00)\n"
        "   4 投了\n"
        "まで3手で詰み\n"
        "\n変化：2手\n"
        "   2 １三玉(12)   ( 0:00/00:00:00)\n"
        "   3 ２三金(22)   ( 0:00/00:00:00)\n"
        "   4 同　玉       ( 0:00/00:00:00)\n"
        "   5 ３四桂打     ( 0:00/00:00:00)\n");
    ASSERT_TRUE(summary.position) << summary.problem;
    EXPECT_EQ(summary.title, "桂の捨て駒");
    EXPECT_EQ(summary.author, "見本 太郎");
    EXPECT_EQ(summary.moves, 3);
}

// ---- Encodings --------------------------------------------------------------------------

struct EncodingCase {
    const char* name;
    std::string bytes;
    std::string title;
};

const std::string kSjisTitle = "\x95\x5c\x91\xe8\x81\x46\x8c\x6a\x94\x6e";  // 表題：桂馬

class EncodingTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingTest, ReadsTheTitle) {
    const record::Summary summary = Read(GetParam().bytes);
    EXPECT_TRUE(summary.position) << summary.problem;
    EXPECT_EQ(summary.title, GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, EncodingTest,
    testing::Values(
        EncodingCase{"Utf8", "表題：桂馬", "桂馬"},
        EncodingCase{"Utf8WithMark", "\xEF\xBB\xBF表題：桂馬", "桂馬"},
        EncodingCase{"Utf16WithMark",
                     std::string("\xFF\xFE\x68\x88\x4C\x98\x1A\xFF\x42\x68\xAC\x99", 12), "桂馬"},
        EncodingCase{"ShiftJis", kSjisTitle, "桂馬"},
        // Valid UTF-8 as bytes ("é"), but the first line says Shift-JIS: half-width katakana.
        EncodingCase{"DeclaredShiftJis",
                     "#KIF version=2.0 encoding=Shift_JIS\n" + kSjisTitle.substr(0, 6) + "\xC3\xA9",
                     "ﾃｩ"},
        // Declared UTF-8 with a bad byte: that byte alone is lost.
        EncodingCase{"DeclaredUtf8", "#KIF version=2.0 encoding=UTF-8\n表題：桂\x95馬",
                     "桂\xEF\xBF\xBD馬"},
        // A line that is not Shift-JIS costs that line only.
        EncodingCase{"ShiftJisWithABadLine", "\x81\n" + kSjisTitle, "桂馬"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Bad input ---------------------------------------------------------------------------

struct BadCase {
    const char* name;
    std::string bytes;
    std::string problem;
};

std::string Cut(const std::string& text, const std::string& from) {
    return text.substr(0, text.find(from));
}
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}
std::string Str(std::string_view text) { return std::string(text); }
std::string Repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

class BadInputTest : public testing::TestWithParam<BadCase> {};

TEST_P(BadInputTest, SaysWhyThereIsNoBoard) {
    const record::Summary summary = Read(GetParam().bytes);
    EXPECT_FALSE(summary.position);
    EXPECT_EQ(summary.problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, BadInputTest,
    testing::Values(
        BadCase{"Empty", "", Str(modConst::kPreviewEmpty)},
        BadCase{"NoPosition", "p012\nただのメモです\n", Str(modConst::kPreviewNoPosition)},
        BadCase{"BinaryJunk", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
                Str(modConst::kPreviewBinary)},
        BadCase{"TruncatedDiagram", Cut(Diagram(), "| ・ ・ ・ ・ ・ ・ ・ ・ ・|六"),
                Str(modConst::kPreviewDiagramCut)},
        BadCase{"TenRanks", Replaced(Diagram(), "|九\n", "|九\n| ・|十\n"),
                Str(modConst::kPreviewDiagramBroken)},
        BadCase{"ShortRank", Replaced(Diagram(), " ・v玉|二", "v玉|二"),
                Str(modConst::kPreviewRankBrokenPrefix) + "二" +
                    Str(modConst::kPreviewRankBrokenSuffix)},
        BadCase{"LongRank", Replaced(Diagram(), " 歩 ・|三", " 歩 ・ ・|三"),
                Str(modConst::kPreviewRankBrokenPrefix) + "三" +
                    Str(modConst::kPreviewRankBrokenSuffix)},
        BadCase{"UnknownPiece", Diagram(" 猫"), Str(modConst::kPreviewUnknownPiece) + "猫"},
        BadCase{"UnknownPieceInHand", Bod("なし", "猫二"), Str(modConst::kPreviewBadHand) + "猫二"},
        BadCase{"KingInHand", Bod("なし", "玉"), Str(modConst::kPreviewBadHand) + "玉"},
        BadCase{"TooManyPawns", Bod("歩九", "歩九"), Str(modConst::kPreviewTooManyPieces) + "歩"},
        BadCase{"PromotedPiecesCountAsTheirKind", Bod("銀四", "", " 全"),
                Str(modConst::kPreviewTooManyPieces) + "銀"},
        BadCase{"TwoKingsOfOneSide", Diagram("v王"), Str(modConst::kPreviewTooManyPieces) + "玉"},
        // With the rest of the set in the other hand, the pieces beyond a set are still seen.
        BadCase{"ThreeRooksBesideTheRestOfTheSet",
                Replaced(Bod("残り全部", "", " 飛"), "| ・ ・ ・ ・ ・ ・ ・ ・ ・|四",
                         "| 飛 飛 ・ ・ ・ ・ ・ ・ ・|四"),
                Str(modConst::kPreviewTooManyPieces) + "飛"},
        BadCase{"NineteenPawnsBesideTheRestOfTheSet", Bod("残り全部", "歩十九"),
                Str(modConst::kPreviewTooManyPieces) + "歩"},
        BadCase{"UnknownHandicap", "手合割：その他\n",
                Str(modConst::kPreviewUnknownHandicap) + "その他"},
        // What a reason quotes of the file is a few characters, however long the file's text.
        BadCase{"LongUnknownHandicap", "手合割：" + Repeated("駒落ち", 26667) + "\n",
                Str(modConst::kPreviewUnknownHandicap) + "駒落ち駒落ち駒落ち駒…"}),
    [](const auto& info) { return std::string(info.param.name); });

// Files that are not records, named like one. Reading never blocks and never takes more than a
// small fixed part of a file.
TEST(RecordFileTest, SaysWhyAFileGivesNoBoard) {
    testing_support::TempFolder folder;
    EXPECT_EQ(record::ReadRecordFile(folder.Join("missing.kif")).problem,
              modConst::kPreviewMissing);
    EXPECT_EQ(record::ReadRecordFile(folder.MakeFolder("folder.kif")).problem,
              modConst::kPreviewNotAFile);
    const std::string huge = folder.WriteFile("huge.kif", Bod("なし", "金"));
    std::filesystem::resize_file(huge, 100u * 1024 * 1024);
    EXPECT_EQ(record::ReadRecordFile(huge).problem, modConst::kPreviewTooLarge);
    const record::Summary good = record::ReadRecordFile(folder.WriteFile("p001.kif", Bod("", "")));
    EXPECT_TRUE(good.position) << good.problem;
#ifndef _WIN32
    const std::string fifo = folder.Join("fifo.kif");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(record::ReadRecordFile(fifo).problem, modConst::kPreviewNotAFile);
#endif
}

#ifndef _WIN32
TEST(RecordFileTest, UnreadableFile) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    testing_support::TempFolder folder;
    const std::string locked = folder.WriteFile("locked.kif", Bod("", ""));
    chmod(locked.c_str(), 0);
    EXPECT_EQ(record::ReadRecordFile(locked).problem, modConst::kPreviewUnreadable);
}
#endif

}  // namespace

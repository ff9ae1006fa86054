#include "support/shogi_position.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "support/utf8_text.h"

namespace shogi {
namespace {

// Each kind's usual one-character name, in the order of Piece from Rook on.
constexpr std::u32string_view kNames = U"飛角金銀桂香歩玉竜馬全圭杏と";

// The squares whose piece the second player (上手), who moves first, gives up in a handicap.
struct Handicap {
    std::u32string_view name;
    std::vector<std::pair<int, int>> removed;  // file, rank
};
const std::vector<Handicap>& Handicaps() {
    static const std::vector<Handicap> kHandicaps = {
        {U"香落ち", {{1, 1}}},
        {U"右香落ち", {{9, 1}}},
        {U"角落ち", {{2, 2}}},
        {U"飛車落ち", {{8, 2}}},
        {U"飛香落ち", {{8, 2}, {1, 1}}},
        {U"二枚落ち", {{8, 2}, {2, 2}}},
        {U"三枚落ち", {{8, 2}, {2, 2}, {1, 1}}},
        {U"四枚落ち", {{8, 2}, {2, 2}, {1, 1}, {9, 1}}},
        {U"六枚落ち", {{8, 2}, {2, 2}, {1, 1}, {9, 1}, {2, 1}, {8, 1}}},
        {U"八枚落ち", {{8, 2}, {2, 2}, {1, 1}, {9, 1}, {2, 1}, {8, 1}, {3, 1}, {7, 1}}},
        {U"十枚落ち",
         {{8, 2}, {2, 2}, {1, 1}, {9, 1}, {2, 1}, {8, 1}, {3, 1}, {7, 1}, {4, 1}, {6, 1}}},
    };
    return kHandicaps;
}

// How many pieces of each base kind the board and both hands hold.
std::array<int, kPieceKinds> CountByKind(const Position& position) {
    std::array<int, kPieceKinds> counts{};
    for (const auto& rank : position.board) {
        for (const Square& square : rank) ++counts[static_cast<int>(BaseKind(square.piece))];
    }
    for (const Hand& hand : position.hands) {
        for (int kind = 1; kind < kHandKinds; ++kind) counts[kind] += hand[kind];
    }
    return counts;
}

}  // namespace

std::string PieceName(Piece piece) {
    if (piece == Piece::kNone) return {};
    return utf8::ToUtf8(kNames.substr(static_cast<std::size_t>(piece) - 1, 1));
}

std::optional<Piece> PieceNamed(char32_t name) {
    if (name == U'王') return Piece::kKing;
    if (name == U'龍') return Piece::kDragon;
    const std::size_t at = kNames.find(name);
    if (at == std::u32string_view::npos) return std::nullopt;
    return static_cast<Piece>(at + 1);
}

Piece BaseKind(Piece piece) {
    switch (piece) {
        case Piece::kDragon:
            return Piece::kRook;
        case Piece::kHorse:
            return Piece::kBishop;
        case Piece::kPromotedSilver:
            return Piece::kSilver;
        case Piece::kPromotedKnight:
            return Piece::kKnight;
        case Piece::kPromotedLance:
            return Piece::kLance;
        case Piece::kTokin:
            return Piece::kPawn;
        default:
            return piece;
    }
}

int PiecesInASet(Piece base) {
    switch (base) {
        case Piece::kRook:
        case Piece::kBishop:
        case Piece::kKing:
            return 2;
        case Piece::kPawn:
            return 18;
        case Piece::kNone:
            return 0;
        default:
            return 4;
    }
}

Position EvenGame() {
    Position position;
    constexpr std::array<Piece, 9> kBackRank = {Piece::kLance,  Piece::kKnight, Piece::kSilver,
                                                Piece::kGold,   Piece::kKing,   Piece::kGold,
                                                Piece::kSilver, Piece::kKnight, Piece::kLance};
    for (int column = 0; column < 9; ++column) {
        position.board[0][column] = {kBackRank[column], Side::kGote};
        position.board[2][column] = {Piece::kPawn, Side::kGote};
        position.board[6][column] = {Piece::kPawn, Side::kSente};
        position.board[8][column] = {kBackRank[column], Side::kSente};
    }
    position.at(8, 2) = {Piece::kRook, Side::kGote};
    position.at(2, 2) = {Piece::kBishop, Side::kGote};
    position.at(8, 8) = {Piece::kBishop, Side::kSente};
    position.at(2, 8) = {Piece::kRook, Side::kSente};
    return position;
}

std::optional<Position> HandicapPosition(std::u32string_view name) {
    Position position = EvenGame();
    if (name == U"平手") return position;
    for (const Handicap& handicap : Handicaps()) {
        if (handicap.name != name) continue;
        for (const auto& [file, rank] : handicap.removed) position.at(file, rank) = {};
        position.toMove = Side::kGote;
        return position;
    }
    return std::nullopt;
}

void GiveTheRest(Position& position, Side side) {
    Hand& rest = position.hand(side);
    rest = {};
    const std::array<int, kPieceKinds> counts = CountByKind(position);
    for (int kind = 1; kind < kHandKinds; ++kind) {
        rest[kind] = std::max(PiecesInASet(static_cast<Piece>(kind)) - counts[kind], 0);
    }
}

std::optional<Piece> KindWithTooMany(const Position& position) {
    std::array<int, 2> kings{};
    for (const auto& rank : position.board) {
        for (const Square& square : rank) {
            if (square.piece == Piece::kKing) ++kings[static_cast<int>(square.side)];
        }
    }
    if (kings[0] > 1 || kings[1] > 1) return Piece::kKing;
    const std::array<int, kPieceKinds> counts = CountByKind(position);
    for (int kind = 1; kind < kPieceKinds; ++kind) {
        if (counts[kind] > PiecesInASet(static_cast<Piece>(kind))) return static_cast<Piece>(kind);
    }
    return std::nullopt;
}

}  // namespace shogi

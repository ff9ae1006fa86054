#include "support/shogi_position.h"

namespace shogi {

std::string_view PieceName(Piece piece) {
    static constexpr std::array<std::string_view, kPieceKinds> kNames = {
        "", "飛", "角", "金", "銀", "桂", "香", "歩", "玉", "竜", "馬", "全", "圭", "杏", "と"};
    return kNames[static_cast<int>(piece)];
}

Piece BaseKind(Piece piece) {
    switch (piece) {
        case Piece::Dragon:
            return Piece::Rook;
        case Piece::Horse:
            return Piece::Bishop;
        case Piece::PromotedSilver:
            return Piece::Silver;
        case Piece::PromotedKnight:
            return Piece::Knight;
        case Piece::PromotedLance:
            return Piece::Lance;
        case Piece::Tokin:
            return Piece::Pawn;
        default:
            return piece;
    }
}

int PiecesInASet(Piece base) {
    switch (base) {
        case Piece::Rook:
        case Piece::Bishop:
        case Piece::King:
            return 2;
        case Piece::Pawn:
            return 18;
        case Piece::None:
            return 0;
        default:
            return 4;
    }
}

Position EvenGame() {
    Position position;
    constexpr std::array<Piece, 9> kBackRank = {Piece::Lance,  Piece::Knight, Piece::Silver,
                                                Piece::Gold,   Piece::King,   Piece::Gold,
                                                Piece::Silver, Piece::Knight, Piece::Lance};
    for (int column = 0; column < 9; ++column) {
        position.board[0][column] = {kBackRank[column], Side::Gote};
        position.board[2][column] = {Piece::Pawn, Side::Gote};
        position.board[6][column] = {Piece::Pawn, Side::Sente};
        position.board[8][column] = {kBackRank[column], Side::Sente};
    }
    position.at(8, 2) = {Piece::Rook, Side::Gote};
    position.at(2, 2) = {Piece::Bishop, Side::Gote};
    position.at(8, 8) = {Piece::Bishop, Side::Sente};
    position.at(2, 8) = {Piece::Rook, Side::Sente};
    return position;
}

}  // namespace shogi

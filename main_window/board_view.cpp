#include "main_window/board_view.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "gui/fonts.h"
#include "gui/text_conversion.h"
#include "support/kanji_numerals.h"
#include "support/modConst.h"

namespace {

using shogi::Piece;
using shogi::Side;

// Sizes in device-independent pixels.
constexpr int kCell = 22;
constexpr int kPad = 4;
constexpr int kNumbers = 14;   // the row of file numbers and the column of rank numerals
constexpr int kHandLine = 28;  // each player's pieces in hand: two lines where one is short
const QColor kInk(0x20, 0x20, 0x20);

QString Name(Piece piece) { return quill::ToQt(shogi::PieceName(piece)); }

}  // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    QFont face(quill::GothicFamily(quill::Gothic::kFixed));
    face.setPixelSize(12);
    setFont(face);
}

void BoardView::SetPosition(const shogi::Position& position) {
    position_ = position;
    update();
}

QSize BoardView::sizeHint() const {
    return {2 * kPad + 9 * kCell + kNumbers + 1,
            2 * kPad + 2 * kHandLine + kNumbers + 9 * kCell + 3};
}

QString BoardView::HandText(const shogi::Position& position, Side side) {
    QString text = quill::ToQt(side == Side::kSente ? modConst::kPreviewSenteHand
                                                    : modConst::kPreviewGoteHand);
    const shogi::Hand& hand = position.hand(side);
    QStringList pieces;
    for (int kind = 1; kind < shogi::kHandKinds; ++kind) {
        if (hand[kind] == 0) continue;
        pieces << Name(static_cast<Piece>(kind)) +
                      (hand[kind] > 1 ? quill::ToQt(kanji::Numeral(hand[kind])) : QString());
    }
    text +=
        pieces.isEmpty() ? quill::ToQt(modConst::kPreviewNone) : pieces.join(QStringLiteral("　"));
    if (position.toMove == side) text += quill::ToQt(modConst::kPreviewToMove);
    return text;
}

int BoardView::Metrics::Px(double length) const {
    return static_cast<int>(std::lround(length * scale));
}

BoardView::Metrics BoardView::Measure() const {
    Metrics at{devicePixelRatioF(), 0, 0, 0, 0, 0};
    at.cell = at.Px(kCell);
    at.line = std::max(1, at.Px(1));
    at.left = at.Px(kPad);
    at.top = at.Px(kPad + kHandLine + kNumbers);
    at.side = 9 * at.cell + at.line;
    return at;
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Drawn in device pixels: every length is rounded to whole pixels once, so no line falls
    // between two pixels at 150 %.
    const Metrics at = Measure();
    painter.scale(1 / at.scale, 1 / at.scale);
    painter.fillRect(QRect(0, 0, at.Px(width()), at.Px(height())), QColor(0xfa, 0xf7, 0xf0));
    painter.setPen(kInk);
    DrawGrid(painter, at);
    DrawCoordinates(painter, at);
    DrawPieces(painter, at);
    DrawHands(painter, at);
}

void BoardView::DrawGrid(QPainter& painter, const Metrics& at) const {
    painter.fillRect(at.left, at.top, at.side, at.side, QColor(0xf0, 0xd6, 0x9c));
    for (int i = 0; i <= 9; ++i) {
        const int width = (i == 0 || i == 9) ? 2 * at.line : at.line;
        const int offset = (i == 9) ? -at.line : 0;
        painter.fillRect(at.left + i * at.cell + offset, at.top, width, at.side, kInk);
        painter.fillRect(at.left, at.top + i * at.cell + offset, at.side, width, kInk);
    }
}

void BoardView::DrawCoordinates(QPainter& painter, const Metrics& at) const {
    QFont text = font();
    text.setPixelSize(at.Px(10));
    painter.setFont(text);
    for (int column = 0; column < 9; ++column) {
        painter.drawText(
            QRect(at.left + column * at.cell, at.top - at.Px(kNumbers), at.cell, at.Px(kNumbers)),
            Qt::AlignCenter, QString(QChar(u'９' - column)));
    }
    for (int rank = 0; rank < 9; ++rank) {
        painter.drawText(
            QRect(at.left + at.side, at.top + rank * at.cell, at.Px(kNumbers), at.cell),
            Qt::AlignCenter, quill::ToQt(kanji::Numeral(rank + 1)));
    }
}

void BoardView::DrawPieces(QPainter& painter, const Metrics& at) const {
    QFont pieceFont = font();
    pieceFont.setPixelSize(at.cell * 3 / 4);
    painter.setFont(pieceFont);
    for (int rank = 0; rank < 9; ++rank) {
        for (int column = 0; column < 9; ++column) {
            const shogi::Square& square = position_.board[rank][column];
            if (square.piece == Piece::kNone) continue;
            const QRect place(at.left + column * at.cell + at.line,
                              at.top + rank * at.cell + at.line, at.cell - at.line,
                              at.cell - at.line);
            painter.save();
            if (square.side == Side::kGote) {
                // Turned about the square's centre; the square's size is whole, so the
                // character lands on whole pixels again.
                painter.translate(place.right() + 1, place.bottom() + 1);
                painter.rotate(180);
                painter.drawText(QRect(0, 0, place.width(), place.height()), Qt::AlignCenter,
                                 Name(square.piece));
            } else {
                painter.drawText(place, Qt::AlignCenter, Name(square.piece));
            }
            painter.restore();
        }
    }
}

void BoardView::DrawHands(QPainter& painter, const Metrics& at) const {
    QFont handFont = font();
    handFont.setPixelSize(at.Px(11));
    const auto drawHand = [&](Side player, int y) {
        handFont.setBold(position_.toMove == player);
        painter.setFont(handFont);
        painter.drawText(QRect(at.left, y, at.side + at.Px(kNumbers), at.Px(kHandLine)),
                         Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
                         HandText(position_, player));
    };
    drawHand(Side::kGote, at.Px(kPad));
    drawHand(Side::kSente, at.top + at.side + at.Px(2));
}

#include "main_window/board_view.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "gui/fonts.h"
#include "gui/text_conversion.h"
#include "support/modConst.h"

namespace {

using shogi::Piece;
using shogi::Side;

// Sizes in device-independent pixels.
constexpr int kCell = 22;
constexpr int kPad = 4;
constexpr int kNumbers = 14;   // the row of file numbers and the column of rank numerals
constexpr int kHandLine = 28;  // each player's pieces in hand: two lines where one is short

QString Kanji(int count) {
    static const QString kDigits = QStringLiteral("〇一二三四五六七八九");
    if (count < 10) return kDigits.mid(count, 1);
    return (count >= 20 ? kDigits.mid(count / 10, 1) : QString()) + QStringLiteral("十") +
           (count % 10 != 0 ? kDigits.mid(count % 10, 1) : QString());
}

QString Name(Piece piece) { return quill::ToQt(shogi::PieceName(piece)); }

}  // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    QFont face(quill::GothicFamily(quill::Gothic::Fixed));
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
    QString text =
        quill::ToQt(side == Side::Sente ? modConst::kPreviewSenteHand : modConst::kPreviewGoteHand);
    const shogi::Hand& hand = position.hand(side);
    QStringList pieces;
    for (int kind = 1; kind < shogi::kHandKinds; ++kind) {
        if (hand[kind] == 0) continue;
        pieces << Name(static_cast<Piece>(kind)) + (hand[kind] > 1 ? Kanji(hand[kind]) : QString());
    }
    text +=
        pieces.isEmpty() ? quill::ToQt(modConst::kPreviewNone) : pieces.join(QStringLiteral("　"));
    if (position.toMove == side) text += quill::ToQt(modConst::kPreviewToMove);
    return text;
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Drawn in device pixels: every length is rounded to whole pixels once, so no line falls
    // between two pixels at 150 %.
    const qreal scale = devicePixelRatioF();
    painter.scale(1 / scale, 1 / scale);
    const auto px = [scale](double length) {
        return static_cast<int>(std::lround(length * scale));
    };
    const int cell = px(kCell);
    const int line = std::max(1, px(1));
    const int left = px(kPad);
    const int top = px(kPad + kHandLine + kNumbers);
    const int side = 9 * cell + line;
    const QColor ink(0x20, 0x20, 0x20);

    painter.fillRect(QRect(0, 0, px(width()), px(height())), QColor(0xfa, 0xf7, 0xf0));
    painter.fillRect(left, top, side, side, QColor(0xf0, 0xd6, 0x9c));
    for (int i = 0; i <= 9; ++i) {
        const int width = (i == 0 || i == 9) ? 2 * line : line;
        const int offset = (i == 9) ? -line : 0;
        painter.fillRect(left + i * cell + offset, top, width, side, ink);
        painter.fillRect(left, top + i * cell + offset, side, width, ink);
    }

    QFont text = font();
    text.setPixelSize(px(10));
    painter.setFont(text);
    painter.setPen(ink);
    for (int column = 0; column < 9; ++column) {
        painter.drawText(QRect(left + column * cell, top - px(kNumbers), cell, px(kNumbers)),
                         Qt::AlignCenter, QString(QChar(u'９' - column)));
    }
    static const QString kRanks = QStringLiteral("一二三四五六七八九");
    for (int rank = 0; rank < 9; ++rank) {
        painter.drawText(QRect(left + side, top + rank * cell, px(kNumbers), cell), Qt::AlignCenter,
                         kRanks.mid(rank, 1));
    }

    QFont pieceFont = font();
    pieceFont.setPixelSize(cell * 3 / 4);
    painter.setFont(pieceFont);
    for (int rank = 0; rank < 9; ++rank) {
        for (int column = 0; column < 9; ++column) {
            const shogi::Square& square = position_.board[rank][column];
            if (square.piece == Piece::None) continue;
            const QRect place(left + column * cell + line, top + rank * cell + line, cell - line,
                              cell - line);
            painter.save();
            if (square.side == Side::Gote) {
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

    QFont handFont = font();
    handFont.setPixelSize(px(11));
    const auto drawHand = [&](Side player, int y) {
        handFont.setBold(position_.toMove == player);
        painter.setFont(handFont);
        painter.drawText(QRect(left, y, side + px(kNumbers), px(kHandLine)),
                         Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
                         HandText(position_, player));
    };
    drawHand(Side::Gote, px(kPad));
    drawHand(Side::Sente, top + side + px(2));
}

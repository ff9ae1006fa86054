#pragma once

#include <QWidget>

class QPainter;

#include "support/shogi_position.h"

// A shogi position drawn as a board: the 9×9 squares with the file numbers above and the rank
// numerals at the side, the second player's pieces turned upside down, both players' pieces in
// hand and the side to move. Every line and character is placed on whole device pixels, so the
// board stays sharp at any display scale.
class BoardView : public QWidget {
    Q_OBJECT

  public:
    explicit BoardView(QWidget* parent = nullptr);

    void SetPosition(const shogi::Position& position);
    const shogi::Position& position() const { return position_; }
    QSize sizeHint() const override;

    // The text of one player's hand line, such as "☗持駒：飛　金二　歩十二".
    static QString HandText(const shogi::Position& position, shogi::Side side);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The board's lengths in device pixels, each rounded once from the designed sizes.
    struct Metrics {
        qreal scale;
        int cell, line, left, top, side;
        int Px(double length) const;
    };
    Metrics Measure() const;
    void DrawGrid(QPainter& painter, const Metrics& at) const;
    void DrawCoordinates(QPainter& painter, const Metrics& at) const;
    void DrawPieces(QPainter& painter, const Metrics& at) const;
    void DrawHands(QPainter& painter, const Metrics& at) const;

    shogi::Position position_;
};

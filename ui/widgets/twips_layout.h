#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

namespace quodlin {

// 15 twips make a pixel at 96 dots per inch, the scale the windows were drawn at.
constexpr int Pixels(int twips) {
    return (twips + 7) / 15;
}

// How much of the room a container gains over its drawn size moves an edge: 0 stays, 1 follows.
struct Grow {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Places widgets where the window design puts them, in twips, and lets chosen edges follow when
// the container grows. The drawn size is the smallest the container may get.
class TwipsLayout : public QLayout {
public:
    TwipsLayout(QWidget* container, int widthTwips, int heightTwips);
    ~TwipsLayout() override;

    // A height of -1 keeps the widget's own height.
    void place(QWidget* widget, int left, int top, int width, int height, Grow grow = {});

    // Only widgets have a place; other items are not laid out.
    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QSize sizeHint() const override { return design_; }
    QSize minimumSize() const override { return design_; }
    // Nothing asks for more room, so a window opens at its drawn size.
    Qt::Orientations expandingDirections() const override { return {}; }
    void setGeometry(const QRect& rect) override;

private:
    struct Placed {
        QLayoutItem* item;
        QRect rect;  // pixels
        Grow grow;
    };

    QList<Placed> items_;
    QSize design_;
};

}  // namespace quodlin

#include "app/toolbar_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>
#include <map>

namespace umlo {
namespace {

const QColor kOutline(64, 64, 64);
const QColor kPaper(255, 255, 255);
const QColor kRed(200, 30, 30);
const QColor kBlue(30, 70, 180);
const QColor kGreen(30, 140, 50);
const QColor kYellow(240, 200, 60);
const QColor kBook(150, 40, 40);

void Page(QPainter& p, const QRectF& r) {
    QPainterPath path;
    const qreal fold = r.width() / 3;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(kOutline);
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void TextLines(QPainter& p, const QRectF& r, const QColor& color) {
    p.setPen(color);
    for (qreal y = r.top(); y <= r.bottom(); y += 2) {
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
}

void Glyph(QPainter& p, const QRectF& r, const QString& text, const QColor& color,
           int pixels = 11) {
    QFont font = p.font();
    font.setPixelSize(pixels);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(r, Qt::AlignCenter, text);
}

void Cross(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kRed, 2));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void Plus(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kGreen, 2));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
}

// A horizontal arrow from one x to the other at height y.
void Arrow(QPainter& p, qreal from, qreal to, qreal y, const QColor& color) {
    p.setPen(QPen(color, 2));
    p.drawLine(QPointF(from, y), QPointF(to, y));
    const qreal head = to > from ? -3 : 3;
    p.drawLine(QPointF(to, y), QPointF(to + head, y - 3));
    p.drawLine(QPointF(to, y), QPointF(to + head, y + 3));
}

void Folder(QPainter& p) {
    p.setPen(kOutline);
    p.setBrush(kYellow);
    p.drawRect(QRectF(1.5, 4.5, 13, 9));
    p.drawRect(QRectF(1.5, 2.5, 5, 2));
}

void Floppy(QPainter& p) {
    p.setPen(kOutline);
    p.setBrush(kBlue);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

void Book(QPainter& p, const QRectF& r) {
    p.setPen(kOutline);
    p.setBrush(kBook);
    p.drawRect(r);
    p.setPen(kPaper);
    p.drawLine(QPointF(r.left() + 2, r.top() + 1), QPointF(r.left() + 2, r.bottom() - 1));
}

void Magnifier(QPainter& p) {
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(kOutline, 3));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
}

void Chart(QPainter& p) {
    p.setPen(kOutline);
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.setBrush(kBlue);
    p.drawRect(QRectF(2.5, 8.5, 3, 6));
    p.setBrush(kGreen);
    p.drawRect(QRectF(6.5, 3.5, 3, 11));
    p.setBrush(kYellow);
    p.drawRect(QRectF(10.5, 6.5, 3, 8));
}

void Circle(QPainter& p, const QColor& fill) {
    p.setPen(kOutline);
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
}

using Drawing = std::function<void(QPainter&)>;

const std::map<QString, Drawing>& Drawings() {
    static const std::map<QString, Drawing> drawings = {
        {QStringLiteral("Open1"), [](QPainter& p) { Folder(p); }},
        {QStringLiteral("Save1"), [](QPainter& p) { Floppy(p); }},
        {QStringLiteral("Saveas1"),
         [](QPainter& p) {
             Floppy(p);
             Glyph(p, QRectF(7, 6, 9, 10), QStringLiteral("?"), kRed, 10);
         }},
        {QStringLiteral("Close1"),
         [](QPainter& p) {
             Page(p, QRectF(2.5, 1.5, 10, 13));
             Cross(p, QRectF(6, 7, 8, 8));
         }},
        {QStringLiteral("OpenDic1"),
         [](QPainter& p) {
             Folder(p);
             Book(p, QRectF(7.5, 6.5, 6, 8));
         }},
        {QStringLiteral("OpenRegExprDic1"),
         [](QPainter& p) {
             Folder(p);
             Glyph(p, QRectF(4, 5, 12, 10), QStringLiteral(".*"), kBook, 10);
         }},
        {QStringLiteral("EditDic1"),
         [](QPainter& p) {
             Book(p, QRectF(2.5, 1.5, 9, 13));
             p.setPen(QPen(kYellow.darker(150), 2));
             p.drawLine(QPointF(8, 14), QPointF(15, 5));
         }},
        {QStringLiteral("Clearfilelist1"),
         [](QPainter& p) {
             TextLines(p, QRectF(1.5, 2.5, 10, 10), kOutline);
             Cross(p, QRectF(8, 8, 7, 7));
         }},
        {QStringLiteral("Fileprop1"),
         [](QPainter& p) {
             Page(p, QRectF(2.5, 1.5, 10, 13));
             Glyph(p, QRectF(2, 3, 11, 12), QStringLiteral("i"), kBlue);
         }},
        {QStringLiteral("Exit1"),
         [](QPainter& p) {
             p.setPen(kOutline);
             p.setBrush(QColor(170, 120, 70));
             p.drawRect(QRectF(1.5, 1.5, 7, 13));
             Arrow(p, 6, 15, 8, kRed);
         }},
        {QStringLiteral("Cut1"),
         [](QPainter& p) {
             p.setPen(QPen(kOutline, 1.5));
             p.drawLine(QPointF(4, 1), QPointF(10, 10));
             p.drawLine(QPointF(12, 1), QPointF(6, 10));
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(kRed, 1.5));
             p.drawEllipse(QRectF(1.5, 10, 4, 4));
             p.drawEllipse(QRectF(10.5, 10, 4, 4));
         }},
        {QStringLiteral("Copy1"),
         [](QPainter& p) {
             Page(p, QRectF(1.5, 1.5, 8, 10));
             Page(p, QRectF(6.5, 4.5, 8, 10));
         }},
        {QStringLiteral("Paste1"),
         [](QPainter& p) {
             p.setPen(kOutline);
             p.setBrush(QColor(170, 120, 70));
             p.drawRect(QRectF(1.5, 2.5, 10, 12));
             Page(p, QRectF(6.5, 5.5, 8, 9));
         }},
        {QStringLiteral("Selectall1"),
         [](QPainter& p) {
             Page(p, QRectF(2.5, 1.5, 11, 13));
             p.fillRect(QRectF(4, 5, 7, 8), kBlue);
         }},
        {QStringLiteral("Copytodicedit1"),
         [](QPainter& p) {
             Page(p, QRectF(0.5, 1.5, 7, 9));
             Book(p, QRectF(9.5, 5.5, 6, 9));
             Arrow(p, 3, 10, 13, kGreen);
         }},
        {QStringLiteral("Undo1"),
         [](QPainter& p) {
             p.setPen(QPen(kBlue, 2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(3, 3, 10, 10), 180 * 16, -270 * 16);
             p.drawLine(QPointF(3, 8), QPointF(1, 5));
             p.drawLine(QPointF(3, 8), QPointF(6, 6));
         }},
        {QStringLiteral("Find1"), [](QPainter& p) { Magnifier(p); }},
        {QStringLiteral("Findreg1"),
         [](QPainter& p) {
             Magnifier(p);
             Glyph(p, QRectF(1, 0, 11, 10), QStringLiteral("*"), kRed, 10);
         }},
        {QStringLiteral("Findagain1"),
         [](QPainter& p) {
             Magnifier(p);
             Arrow(p, 9, 15, 3, kGreen);
         }},
        {QStringLiteral("Findyyfwd1"),
         [](QPainter& p) {
             Glyph(p, QRectF(0, 0, 9, 16), QStringLiteral("ё"), kBlue);
             Arrow(p, 8, 15, 9, kGreen);
         }},
        {QStringLiteral("Findyyback1"),
         [](QPainter& p) {
             Glyph(p, QRectF(7, 0, 9, 16), QStringLiteral("ё"), kBlue);
             Arrow(p, 8, 1, 9, kGreen);
         }},
        {QStringLiteral("Umlopos1"),
         [](QPainter& p) {
             Glyph(p, QRectF(4, 0, 12, 16), QStringLiteral("Ё"), kBlue, 13);
             p.setPen(QPen(kRed, 2));
             p.drawLine(QPointF(3, 2), QPointF(3, 14));
         }},
        {QStringLiteral("Umlobegin1"),
         [](QPainter& p) {
             Glyph(p, QRectF(4, 0, 12, 16), QStringLiteral("Ё"), kBlue, 13);
             p.setPen(QPen(kRed, 2));
             p.drawLine(QPointF(1, 2), QPointF(6, 2));
             p.drawLine(QPointF(2, 2), QPointF(2, 14));
         }},
        {QStringLiteral("Stat1"), [](QPainter& p) { Chart(p); }},
        {QStringLiteral("Clearstat1"),
         [](QPainter& p) {
             Chart(p);
             Cross(p, QRectF(8, 1, 7, 7));
         }},
        {QStringLiteral("Clearusersel1"),
         [](QPainter& p) {
             Glyph(p, QRectF(0, 0, 16, 16), QStringLiteral("ЕЁ"), kBlue, 9);
             Cross(p, QRectF(9, 9, 6, 6));
         }},
        {QStringLiteral("Umlocollect1"),
         [](QPainter& p) {
             Glyph(p, QRectF(0, 0, 11, 16), QStringLiteral("Ё"), kBlue, 13);
             Plus(p, QRectF(9, 8, 6, 6));
         }},
        {QStringLiteral("Options1"),
         [](QPainter& p) {
             p.setPen(QPen(kOutline, 2));
             for (int angle = 0; angle < 180; angle += 45) {
                 p.save();
                 p.translate(8, 8);
                 p.rotate(angle);
                 p.drawLine(QPointF(-7, 0), QPointF(7, 0));
                 p.restore();
             }
             Circle(p, QColor(180, 180, 180));
             p.setBrush(kPaper);
             p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
         }},
        // The recent files' entries: a page of text.
        {QStringLiteral("Openfile0"),
         [](QPainter& p) {
             Page(p, QRectF(2.5, 0.5, 11, 15));
             TextLines(p, QRectF(4.5, 6, 7, 7), kOutline);
         }},
        {QStringLiteral("About1"),
         [](QPainter& p) {
             Circle(p, kBlue);
             Glyph(p, QRectF(0, 0, 16, 16), QStringLiteral("i"), kPaper);
         }},
        {QStringLiteral("Moreabout1"),
         [](QPainter& p) {
             Circle(p, QColor(120, 190, 240));
             p.setPen(kGreen.darker(120));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(5.5, 1.5, 5, 13));
             p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
         }},
    };
    return drawings;
}

} // namespace

QIcon CommandPicture(const QString& itemName) {
    const auto& drawings = Drawings();
    const auto it = drawings.find(itemName);
    if (it == drawings.end()) {
        return {};
    }
    QPixmap pixmap(kPictureSize, kPictureSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    it->second(painter);
    painter.end();
    return QIcon(pixmap);
}

} // namespace umlo

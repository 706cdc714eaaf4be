#include "gui/resources/artwork.h"

#include "core/calibrator/calibratorranges.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

#include <algorithm>

namespace {

constexpr int pictureWidth = 632;
constexpr int pictureHeight = 433;

void drawKey(QPainter &p, const QRectF &r, const QColor &face, const QString &label)
{
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, face.lighter(130));
    shade.setColorAt(1, face.darker(120));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(shade);
    p.drawRoundedRect(r, 3, 3);
    if (label.isEmpty())
        return;
    p.setPen(Qt::white);
    QFont font(QStringLiteral("Sans"), 7, QFont::Bold);
    p.setFont(font);
    p.drawText(r, Qt::AlignCenter, label);
}

void drawTerminal(QPainter &p, const QPointF &c, const QColor &colour)
{
    QRadialGradient shine(c - QPointF(3, 3), 12);
    shine.setColorAt(0, colour.lighter(160));
    shine.setColorAt(1, colour.darker(130));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(shine);
    p.drawEllipse(c, 11, 11);
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(c, 3.5, 3.5);
}

// The metal case and its dark front plate, inset by the given margin; returns
// the plate.
QRectF drawCase(QPainter &p, const QRectF &body, qreal margin)
{
    QLinearGradient metal(body.topLeft(), body.bottomLeft());
    metal.setColorAt(0, QColor(214, 214, 208));
    metal.setColorAt(1, QColor(160, 160, 154));
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(metal);
    p.drawRoundedRect(body, 10, 10);

    const QRectF plate = body.adjusted(margin, margin, -margin, -margin);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(58, 62, 70));
    p.drawRoundedRect(plate, 6, 6);
    return plate;
}

void paintCalibrator(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);

    // Bench top and shadow.
    p.fillRect(QRectF(0, 0, pictureWidth, pictureHeight), QColor(0, 128, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(QRectF(28, 40, 590, 270), 10, 10);

    const QRectF plate = drawCase(p, QRectF(20, 30, 590, 270), 14);

    // Maker's strip.
    p.setPen(QColor(235, 235, 235));
    p.setFont(QFont(QStringLiteral("Sans"), 12, QFont::Bold));
    p.drawText(QRectF(plate.left() + 16, plate.top() + 8, 250, 22),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("KALIBRATOR  R-707"));
    p.setFont(QFont(QStringLiteral("Sans"), 7));
    p.drawText(QRectF(plate.right() - 226, plate.top() + 8, 210, 22),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("MULTIFUNCTION CALIBRATOR"));

    // Display window with eight seven-segment digits.
    const QRectF display(plate.left() + 16, plate.top() + 38, 300, 70);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(20, 8, 8));
    p.drawRoundedRect(display, 4, 4);
    p.setPen(QColor(255, 60, 40));
    QFont digits(QStringLiteral("Monospace"), 28, QFont::Bold);
    digits.setStyleHint(QFont::Monospace);
    p.setFont(digits);
    p.drawText(display.adjusted(10, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("1.500000"));
    p.setFont(QFont(QStringLiteral("Sans"), 8, QFont::Bold));
    p.drawText(QRectF(display.right() + 8, display.top() + 4, 40, 20), Qt::AlignLeft,
               QStringLiteral("V DC"));

    // Range and function lamps: the ranges every model has.
    p.setFont(QFont(QStringLiteral("Sans"), 6));
    for (int i = 0; i <= CalibratorRanges::LastLowCurrentRange; ++i) {
        const QPointF lamp(plate.left() + 26 + i * 29.5, plate.top() + 128);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(i == 2 ? QColor(255, 90, 40) : QColor(90, 40, 30));
        p.drawEllipse(lamp, 4, 4);
        p.setPen(QColor(220, 220, 220));
        p.drawText(QRectF(lamp.x() - 15, lamp.y() + 6, 30, 10), Qt::AlignCenter,
                   QLatin1String(CalibratorRanges::range(i).text));
    }

    // Keypad.
    const QStringList keys = {
        QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("CE"),
        QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("U"),
        QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("I"),
        QStringLiteral("0"), QStringLiteral("."), QStringLiteral("E"), QStringLiteral("f")};
    for (int i = 0; i < keys.size(); ++i) {
        const int row = i / 4;
        const int col = i % 4;
        const QRectF key(plate.left() + 360 + col * 40, plate.top() + 38 + row * 30, 34, 24);
        const bool command = col == 3 || keys.at(i) == QLatin1String("E");
        drawKey(p, key, command ? QColor(150, 40, 30) : QColor(90, 94, 104), keys.at(i));
    }

    // Operate / standby and the output terminals.
    drawKey(p, QRectF(plate.left() + 16, plate.top() + 168, 60, 26), QColor(40, 110, 50),
            QStringLiteral("OPER"));
    drawKey(p, QRectF(plate.left() + 84, plate.top() + 168, 60, 26), QColor(150, 120, 30),
            QStringLiteral("STBY"));
    drawTerminal(p, QPointF(plate.left() + 210, plate.top() + 186), QColor(200, 30, 30));
    drawTerminal(p, QPointF(plate.left() + 250, plate.top() + 186), QColor(30, 30, 30));
    drawTerminal(p, QPointF(plate.left() + 290, plate.top() + 186), QColor(200, 30, 30));
    p.setPen(QColor(230, 230, 230));
    p.setFont(QFont(QStringLiteral("Sans"), 6));
    p.drawText(QRectF(plate.left() + 190, plate.top() + 200, 40, 10), Qt::AlignCenter,
               QStringLiteral("HI"));
    p.drawText(QRectF(plate.left() + 230, plate.top() + 200, 40, 10), Qt::AlignCenter,
               QStringLiteral("LO"));
    p.drawText(QRectF(plate.left() + 270, plate.top() + 200, 40, 10), Qt::AlignCenter,
               QStringLiteral("I"));

    // Feet.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 30));
    p.drawRoundedRect(QRectF(60, 298, 60, 10), 3, 3);
    p.drawRoundedRect(QRectF(510, 298, 60, 10), 3, 3);
}

// The icon's calibrator: the same case, display, keys and terminals as the
// picture, rearranged into a square of 256 units. Its digits are outlines, so
// the drawing does not depend on the fonts of the machine that shows it.
void paintIconUnits(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(QRectF(18, 52, 232, 176), 10, 10);
    p.setBrush(QColor(30, 30, 30));
    p.drawRoundedRect(QRectF(36, 214, 40, 12), 3, 3);
    p.drawRoundedRect(QRectF(180, 214, 40, 12), 3, 3);

    const QRectF plate = drawCase(p, QRectF(12, 40, 232, 176), 10);

    const QRectF display(plate.left() + 12, plate.top() + 12, plate.width() - 24, 56);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(20, 8, 8));
    p.drawRoundedRect(display, 4, 4);
    QFont digitsFont(QStringLiteral("Monospace"), 40, QFont::Bold);
    digitsFont.setStyleHint(QFont::Monospace);
    QPainterPath digits;
    digits.addText(0, 0, digitsFont, QStringLiteral("707"));
    const QRectF glyphs = digits.boundingRect();
    const QRectF room = display.adjusted(14, 10, -14, -10);
    const qreal scale = std::min(room.width() / glyphs.width(), room.height() / glyphs.height());
    QTransform place;
    place.translate(room.right() - glyphs.width() * scale, room.center().y());
    place.scale(scale, scale);
    place.translate(-glyphs.left(), -glyphs.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 60, 40));
    p.drawPath(place.map(digits));

    for (int i = 0; i < 8; ++i) {
        const int row = i / 4;
        const int col = i % 4;
        const QRectF key(plate.left() + 12 + col * 38, plate.top() + 82 + row * 34, 32, 26);
        drawKey(p, key, col == 3 ? QColor(150, 40, 30) : QColor(90, 94, 104), QString());
    }
    drawTerminal(p, QPointF(plate.right() - 24, plate.top() + 95), QColor(200, 30, 30));
    drawTerminal(p, QPointF(plate.right() - 24, plate.top() + 129), QColor(30, 30, 30));
}

} // namespace

namespace Artwork {

void paintIcon(QPainter &painter, qreal side)
{
    painter.save();
    painter.scale(side / IconUnits, side / IconUnits);
    paintIconUnits(painter);
    painter.restore();
}

namespace {

// The icon is drawn when a size of it is first asked for, not when the
// program starts.
class DrawnIconEngine : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        painter->save();
        painter->translate(rect.topLeft());
        paintIcon(*painter, std::min(rect.width(), rect.height()));
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        // Every window asks for the sizes when it comes up; each is drawn once.
        const QString key =
            QStringLiteral("orvane-icon-%1x%2").arg(size.width()).arg(size.height());
        QPixmap pixmap;
        if (QPixmapCache::find(key, &pixmap))
            return pixmap;
        pixmap = QPixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        painter.end();
        QPixmapCache::insert(key, pixmap);
        return pixmap;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {{16, 16}, {32, 32}, {48, 48}, {64, 64}};
    }

    QIconEngine *clone() const override { return new DrawnIconEngine; }
};

} // namespace

QIcon icon()
{
    return QIcon(new DrawnIconEngine);
}

QPixmap calibrator(qreal devicePixelRatio)
{
    // Drawn once: the About box and the main window both show it at start.
    const QString key = QStringLiteral("orvane-calibrator-%1").arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap = QPixmap(QSize(pictureWidth, pictureHeight) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&pixmap);
    paintCalibrator(painter);
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QPixmap calibratorThumbnail(const QSize &size, qreal devicePixelRatio)
{
    const QPixmap full = calibrator(devicePixelRatio);
    QPixmap scaled =
        full.scaled(size * devicePixelRatio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(devicePixelRatio);
    return scaled;
}

} // namespace Artwork

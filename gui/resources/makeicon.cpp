// Writes the program's scalable icon: orvane707-icon <file.svg>
// It runs during the build, so it needs no display.

#include "gui/resources/artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvane707-icon <file.svg>\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QSvgGenerator svg;
    svg.setFileName(QString::fromLocal8Bit(argv[1]));
    svg.setSize(QSize(Artwork::IconUnits, Artwork::IconUnits));
    svg.setViewBox(QRect(0, 0, Artwork::IconUnits, Artwork::IconUnits));
    svg.setTitle(QStringLiteral("Orvane 707"));
    svg.setDescription(QStringLiteral("Kalibrator R-707"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        std::fprintf(stderr, "orvane707-icon: cannot write %s\n", argv[1]);
        return 1;
    }
    Artwork::paintIcon(painter);
    return painter.end() ? 0 : 1;
}

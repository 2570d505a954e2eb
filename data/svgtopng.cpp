// Renders the icon's SVG into the PNG sizes the desktop's icon theme wants:
//   lobus-svgtopng ICON.svg SIZE OUT.png [SIZE OUT.png ...]
// Build-time only; not installed.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 4 || argc % 2 != 0) {
        std::fputs("usage: lobus-svgtopng ICON.svg SIZE OUT.png [SIZE OUT.png ...]\n", stderr);
        return 2;
    }
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "lobus-svgtopng: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        if (size < 1 || !image.save(QString::fromLocal8Bit(argv[i + 1]))) {
            std::fprintf(stderr, "lobus-svgtopng: cannot write %s\n", argv[i + 1]);
            return 1;
        }
    }
    return 0;
}

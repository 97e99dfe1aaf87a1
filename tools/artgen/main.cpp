// Draws the application's embedded pictures into the folder given as the only
// argument; the build runs it before the pictures are compiled in. With
// --icons it draws the program icon for the desktop's icon theme instead:
// <folder>/hicolor/<n>x<n>/apps/<name>.png and .../scalable/apps/<name>.svg.

#include "tools/artgen/artwork.h"
#include "tools/artgen/gifwriter.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool save(const QImage& image, const QString& path)
{
    if (image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG"))
        return true;
    std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
    return false;
}

bool writeIcons(const QString& folder, const QString& name)
{
    bool ok = true;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
        ok &= QDir().mkpath(dir) && save(Artwork::program(size), dir + QLatin1Char('/') + name + QLatin1String(".png"));
    }
    const QString dir = folder + QLatin1String("/hicolor/scalable/apps");
    if (!QDir().mkpath(dir))
        return false;
    QSvgGenerator svg;
    svg.setFileName(dir + QLatin1Char('/') + name + QLatin1String(".svg"));
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Morvayne"));
    svg.setDescription(QStringLiteral("Program icon"));
    QPainter p;
    if (!p.begin(&svg)) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(svg.fileName()));
        return false;
    }
    Artwork::drawProgram(p, 256);
    return p.end() && ok;
}

} // namespace

int main(int argc, char* argv[])
{
    // Drawing needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--icons") == 0)
        return writeIcons(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen <output folder>\n       artgen --icons <output folder> <icon name>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString images = out + QLatin1String("/images");
    const QString login = images + QLatin1String("/login");
    if (!QDir().mkpath(login)) {
        std::fprintf(stderr, "artgen: cannot create %s\n", qPrintable(login));
        return 1;
    }

    bool ok = true;
    ok &= save(Artwork::publicSheet(), images + QLatin1String("/public.png"));
    ok &= save(Artwork::vcPublicSheet(), images + QLatin1String("/vcpublic.png"));
    ok &= save(Artwork::widePublicSheet(), images + QLatin1String("/widepublic.png"));
    ok &= save(Artwork::playButtonsSheet(), images + QLatin1String("/public-control-play-buttons.png"));
    ok &= save(Artwork::arrow(), images + QLatin1String("/arrow.png"));
    ok &= save(Artwork::itemArrow(), images + QLatin1String("/arrowtest.png"));
    ok &= save(Artwork::program(), images + QLatin1String("/program.png"));
    ok &= save(Artwork::loginClose(), login + QLatin1String("/close.png"));
    ok &= save(Artwork::loginOk1(), login + QLatin1String("/ok1.png"));
    ok &= save(Artwork::loginOk2(), login + QLatin1String("/ok2.png"));
    ok &= save(Artwork::loginNo1(), login + QLatin1String("/no1.png"));
    ok &= GifWriter::write(images + QLatin1String("/loading_small.gif"), Artwork::loadingFrames(32), 9);
    ok &= GifWriter::write(login + QLatin1String("/loading.gif"), Artwork::loadingFrames(48), 9);
    return ok ? 0 : 1;
}

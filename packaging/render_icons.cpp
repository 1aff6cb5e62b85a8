// Renders the programs' icons for the desktop's icon theme: the 16 x 16
// pictures as they are, the scalable drawings at 32 to 256 pixels, and the
// drawings themselves for the scalable folder.
//
//   render_icons OUTPUT_DIR QUILLON_SVG MARRASKET_SVG
#include "control_factory.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

namespace quillon_pictures {
#include "../quillon/pictures.h"
}
namespace marrasket_pictures {
#include "../marrasket/pictures.h"
}

namespace {

bool save(const QImage& image, const QDir& out, int side, const char* name) {
    const QString dir = QStringLiteral("%1x%1/apps").arg(side);
    out.mkpath(dir);
    const QString path = out.filePath(dir + QStringLiteral("/%1.png").arg(QLatin1String(name)));
    if (image.isNull() || !image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_icons OUTPUT_DIR QUILLON_SVG MARRASKET_SVG\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const struct {
        const char* name;
        const char* const* xpm;
        const char* svgPath;
    } icons[] = {{"quillon", quillon_pictures::kWindowIcon, argv[2]},
                 {"marrasket", marrasket_pictures::kWindowIcon, argv[3]}};
    for (const auto& icon : icons) {
        QFile svg(QString::fromLocal8Bit(icon.svgPath));
        if (!svg.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", icon.svgPath);
            return 1;
        }
        const QByteArray drawing = svg.readAll();
        if (!save(QImage(icon.xpm).convertToFormat(QImage::Format_ARGB32), out, 16, icon.name)) {
            return 1;
        }
        for (const int side : {32, 48, 64, 128, 256}) {
            if (!save(forms::renderDrawing(drawing.constData(), side), out, side, icon.name)) {
                return 1;
            }
        }
        out.mkpath(QStringLiteral("scalable/apps"));
        const QString scalable =
            out.filePath(QStringLiteral("scalable/apps/%1.svg").arg(QLatin1String(icon.name)));
        QFile::remove(scalable);
        if (!svg.copy(scalable)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(scalable));
            return 1;
        }
    }
    return 0;
}

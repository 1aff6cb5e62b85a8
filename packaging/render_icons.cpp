// Renders the programs' window icons as PNG files for the desktop's icon
// theme: the 16 x 16 pictures as they are, and larger sizes scaled by whole
// pixels so that they stay faithful to them.
//
//   render_icons OUTPUT_DIR
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <cstdio>

namespace quillon_pictures {
#include "../quillon/pictures.h"
}
namespace marrasket_pictures {
#include "../marrasket/pictures.h"
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_icons OUTPUT_DIR\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const struct {
        const char* name;
        const char* const* xpm;
    } icons[] = {{"quillon", quillon_pictures::kWindowIcon},
                 {"marrasket", marrasket_pictures::kWindowIcon}};
    for (const auto& icon : icons) {
        const QImage image = QImage(icon.xpm).convertToFormat(QImage::Format_ARGB32);
        for (const int size : {16, 32, 48, 64, 128, 256}) {
            const QString dir = QStringLiteral("%1x%1/apps").arg(size);
            out.mkpath(dir);
            const QImage scaled =
                image.scaled(size, size, Qt::KeepAspectRatio, Qt::FastTransformation);
            const QString path =
                out.filePath(dir + QStringLiteral("/%1.png").arg(QLatin1String(icon.name)));
            if (!scaled.save(path, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}

// Renders the programs' icons for the desktop's icon theme: the 16 x 16
// pictures as they are, the scalable drawings at 32 to 256 pixels, and the
// drawings themselves for the scalable folder.
//
//   render_icons OUTPUT_DIR QUILLON_SVG MARRASKET_SVG
//
// or one drawing at the sizes given, as a C++ header of their pixels in
// NAMESPACE (kDrawnIcons, for a layout's drawnIcons), for a window:
//
//   render_icons --window OUTPUT_HEADER NAMESPACE SVG SIDE...
#include "marrasket/pictures.h"
#include "quillon/pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// An SVG drawing rendered square, `side` pixels a side; none when the text is
// no drawing.
QImage renderDrawing(const QByteArray& svg, int side) {
    QSvgRenderer renderer{svg};
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

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

QByteArray readDrawing(const char* path) {
    QFile svg(QString::fromLocal8Bit(path));
    if (!svg.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return {};
    }
    return svg.readAll();
}

int renderForWindow(int argc, char** argv) {
    const char* path = argv[2];
    const char* space = argv[3];
    const QByteArray drawing = readDrawing(argv[4]);
    QByteArray header = "// Drawn by render_icons from " +
                        QFileInfo(QString::fromLocal8Bit(argv[4])).fileName().toUtf8() +
                        ": premultiplied ARGB pixels, row by row.\n#pragma once\n\n"
                        "#include \"layout.h\"\n\n#include <cstdint>\n\nnamespace " +
                        QByteArray(space) + " {\n\n";
    QByteArray list = "inline constexpr forms::DrawnIcon kDrawnIcons[] = {\n";
    for (int i = 5; i < argc; ++i) {
        const int side = std::atoi(argv[i]);
        const QImage image = side > 0 ? renderDrawing(drawing, side) : QImage();
        if (image.isNull()) {
            std::fprintf(stderr, "cannot draw %s at %s pixels\n", argv[4], argv[i]);
            return 1;
        }
        const QByteArray name = "kDrawnIcon" + QByteArray::number(side);
        header += "inline constexpr std::uint32_t " + name + "[] = {";
        for (int y = 0; y < side; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            header += "\n   ";
            for (int x = 0; x < side; ++x) {
                header += " 0x" + QByteArray::number(row[x], 16).rightJustified(8, '0') + ',';
            }
        }
        header += "\n};\n\n";
        list += "    {" + QByteArray::number(side) + ", " + name + "},\n";
    }
    header += list + "};\n\n}  // namespace " + QByteArray(space) + "\n";
    QFile out(QString::fromLocal8Bit(path));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(header) != header.size()) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 6 && std::strcmp(argv[1], "--window") == 0) {
        QGuiApplication app(argc, argv);
        return renderForWindow(argc, argv);
    }
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
    } icons[] = {{"quillon", quillon::kWindowIcon, argv[2]},
                 {"marrasket", marrasket::kWindowIcon, argv[3]}};
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
            if (!save(renderDrawing(drawing, side), out, side, icon.name)) {
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

// nbx_make_picture SOURCE.txt PREFIX SIZE...
//
// Draws a picture described in text into PNG files PREFIX-SIZE.png, one per size in pixels,
// smoothed at every size. The toolbar pictures and the programs' icons are made so.
//
// The source, one command per line, '#' starting a comment:
//   grid N                 the drawing's own units: N x N, scaled to each size
//   fill RRGGBB[AA]|none   the colour that the shapes after it are filled with
//   stroke RRGGBB[AA] W    the outline after it: colour and width in grid units
//   stroke none
//   rect X Y W H [R]       a rectangle, its corners rounded by R
//   ellipse CX CY RX RY
//   poly X Y X Y ...       a closed polygon
//   line X Y X Y ...       an open line, drawn with the stroke only
//   path M X Y | L X Y | Q CX CY X Y | C X1 Y1 X2 Y2 X Y | Z ...
// Coordinates may have decimals; y grows downwards.

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <string>

namespace {

struct Style {
    QBrush fill = Qt::NoBrush;
    QPen stroke = Qt::NoPen;
};

bool ParseColour(const QString& text, QColor& colour) {
    if (text.size() != 6 && text.size() != 8) {
        return false;
    }
    bool ok = false;
    const unsigned value = text.toUInt(&ok, 16);
    if (!ok) {
        return false;
    }
    colour = text.size() == 6 ? QColor::fromRgb(value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF)
                              : QColor::fromRgb(value >> 24 & 0xFF, value >> 16 & 0xFF,
                                                value >> 8 & 0xFF, value & 0xFF);
    return true;
}

bool Numbers(const QStringList& words, int from, QList<qreal>& out) {
    for (int i = from; i < words.size(); ++i) {
        bool ok = false;
        out << words[i].toDouble(&ok);
        if (!ok) {
            return false;
        }
    }
    return true;
}

bool ParsePath(const QStringList& words, QPainterPath& path) {
    int i = 1;
    auto take = [&](int count, QList<qreal>& values) {
        for (int k = 0; k < count; ++k, ++i) {
            bool ok = false;
            if (i >= words.size()) {
                return false;
            }
            values << words[i].toDouble(&ok);
            if (!ok) {
                return false;
            }
        }
        return true;
    };
    while (i < words.size()) {
        const QString op = words[i++];
        QList<qreal> v;
        if (op == "M" && take(2, v)) {
            path.moveTo(v[0], v[1]);
        } else if (op == "L" && take(2, v)) {
            path.lineTo(v[0], v[1]);
        } else if (op == "Q" && take(4, v)) {
            path.quadTo(v[0], v[1], v[2], v[3]);
        } else if (op == "C" && take(6, v)) {
            path.cubicTo(v[0], v[1], v[2], v[3], v[4], v[5]);
        } else if (op == "Z") {
            path.closeSubpath();
        } else {
            return false;
        }
    }
    return true;
}

int Fail(const QString& source, int line, const char* message) {
    std::fprintf(stderr, "%s:%d: %s\n", source.toLocal8Bit().constData(), line, message);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: nbx_make_picture SOURCE.txt PREFIX SIZE...\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return Fail(source, 0, "cannot read the file");
    }
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd()) {
        lines << in.readLine();
    }
    for (int a = 3; a < argc; ++a) {
        const int size = std::atoi(argv[a]);
        if (size <= 0 || size > 1024) {
            std::fprintf(stderr, "nbx_make_picture: bad size %s\n", argv[a]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        Style style;
        bool sized = false;
        for (int n = 0; n < lines.size(); ++n) {
            const QString line = lines[n].section('#', 0, 0).trimmed();
            if (line.isEmpty()) {
                continue;
            }
            const QStringList words = line.split(' ', Qt::SkipEmptyParts);
            const QString& command = words[0];
            QList<qreal> v;
            if (command == "grid") {
                if (!Numbers(words, 1, v) || v.size() != 1 || v[0] <= 0) {
                    return Fail(source, n + 1, "grid takes one size");
                }
                painter.resetTransform();
                painter.scale(size / v[0], size / v[0]);
                sized = true;
                continue;
            }
            if (!sized) {
                return Fail(source, n + 1, "the first command is grid");
            }
            if (command == "fill") {
                QColor colour;
                if (words.size() == 2 && words[1] == "none") {
                    style.fill = Qt::NoBrush;
                } else if (words.size() == 2 && ParseColour(words[1], colour)) {
                    style.fill = colour;
                } else {
                    return Fail(source, n + 1, "fill takes a colour or none");
                }
                continue;
            }
            if (command == "stroke") {
                QColor colour;
                bool ok = false;
                if (words.size() == 2 && words[1] == "none") {
                    style.stroke = Qt::NoPen;
                } else if (words.size() == 3 && ParseColour(words[1], colour) &&
                           (words[2].toDouble(&ok), ok)) {
                    style.stroke = QPen(colour, words[2].toDouble(), Qt::SolidLine, Qt::RoundCap,
                                        Qt::RoundJoin);
                } else {
                    return Fail(source, n + 1, "stroke takes a colour and a width, or none");
                }
                continue;
            }
            QPainterPath path;
            bool open = false;
            if (command == "rect" && Numbers(words, 1, v) && (v.size() == 4 || v.size() == 5)) {
                const qreal r = v.size() == 5 ? v[4] : 0;
                path.addRoundedRect(QRectF(v[0], v[1], v[2], v[3]), r, r);
            } else if (command == "ellipse" && Numbers(words, 1, v) && v.size() == 4) {
                path.addEllipse(QPointF(v[0], v[1]), v[2], v[3]);
            } else if ((command == "poly" || command == "line") && Numbers(words, 1, v) &&
                       v.size() >= 4 && v.size() % 2 == 0) {
                path.moveTo(v[0], v[1]);
                for (int k = 2; k < v.size(); k += 2) {
                    path.lineTo(v[k], v[k + 1]);
                }
                if (command == "poly") {
                    path.closeSubpath();
                }
                open = command == "line";
            } else if (command == "path" && ParsePath(words, path)) {
            } else {
                return Fail(source, n + 1, "unknown command or wrong numbers");
            }
            painter.setBrush(open ? QBrush(Qt::NoBrush) : style.fill);
            painter.setPen(style.stroke);
            painter.drawPath(path);
        }
        painter.end();
        const QString target =
            QString::fromLocal8Bit(argv[2]) + QStringLiteral("-%1.png").arg(size);
        if (!image.save(target, "PNG")) {
            std::fprintf(stderr, "nbx_make_picture: cannot write %s\n",
                         target.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}

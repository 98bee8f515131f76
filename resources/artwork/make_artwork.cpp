// Paints the editor's artwork into PNG files: the application icon in
// several sizes, the splash picture and the toolbar image strip.
// Usage: vekedit_artwork OUTPUT_FOLDER
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

constexpr int kButton = 24;  // toolbar image edge, pixels
constexpr int kButtonCount = 13;

void drawNote(QPainter &p, QPointF head, double size, const QColor &color) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.translate(head);
    p.rotate(-20);
    p.drawEllipse(QRectF(-size * 0.62, -size * 0.42, size * 1.24, size * 0.84));
    p.restore();
    QPen stem(color, size * 0.16);
    stem.setCapStyle(Qt::FlatCap);
    p.setPen(stem);
    const QPointF top(head.x() + size * 0.52, head.y() - size * 2.6);
    p.drawLine(QPointF(head.x() + size * 0.52, head.y() - size * 0.1), top);
    QPainterPath flag(top);
    flag.cubicTo(top + QPointF(size * 0.2, size * 0.7), top + QPointF(size * 1.1, size * 0.9),
                 top + QPointF(size * 0.8, size * 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flag);
}

QImage appIcon(int edge) {
    QImage image(edge, edge, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double e = edge;
    QLinearGradient fill(0, 0, 0, e);
    fill.setColorAt(0, QColor(0x25, 0x63, 0xeb));
    fill.setColorAt(1, QColor(0x1e, 0x2a, 0x6e));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(e * 0.04, e * 0.04, e * 0.92, e * 0.92), e * 0.18, e * 0.18);
    p.setPen(QPen(QColor(255, 255, 255, 110), qMax(1.0, e / 48)));
    for (int i = 0; i < 5; ++i) {
        const double y = e * (0.34 + i * 0.09);
        p.drawLine(QPointF(e * 0.14, y), QPointF(e * 0.86, y));
    }
    drawNote(p, QPointF(e * 0.36, e * 0.70), e * 0.14, Qt::white);
    drawNote(p, QPointF(e * 0.62, e * 0.61), e * 0.14, QColor(0xfb, 0xbf, 0x24));
    return image;
}

QImage splash() {
    const int w = 520, h = 300;
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient fill(0, 0, w, h);
    fill.setColorAt(0, QColor(0x1e, 0x3a, 0x8a));
    fill.setColorAt(1, QColor(0x0f, 0x17, 0x2a));
    p.fillRect(image.rect(), fill);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.5));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(0, 170 + i * 14), QPointF(w, 170 + i * 14));
    const double xs[] = {250, 300, 350, 400, 450};
    const double ys[] = {226, 205, 212, 191, 198};
    for (int i = 0; i < 5; ++i)
        drawNote(p, QPointF(xs[i], ys[i]), 11, QColor(255, 255, 255, i % 2 ? 200 : 255));
    p.drawImage(QRectF(32, 32, 96, 96), appIcon(192));
    p.setPen(Qt::white);
    QFont title("DejaVu Sans", 44, QFont::Bold);
    p.setFont(title);
    p.drawText(QRectF(148, 34, 340, 64), Qt::AlignLeft | Qt::AlignVCenter, "Vek");
    QFont sub("DejaVu Sans", 13);
    p.setFont(sub);
    p.setPen(QColor(0xcb, 0xd5, 0xe1));
    p.drawText(QRectF(150, 96, 350, 28), Qt::AlignLeft | Qt::AlignVCenter,
               "Compose music as plain text");
    QFont small("DejaVu Sans", 9);
    p.setFont(small);
    p.drawText(QRectF(24, h - 36, w - 48, 20), Qt::AlignRight | Qt::AlignVCenter, "Version 1.2");
    p.setPen(QPen(QColor(255, 255, 255, 90), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, w - 2, h - 2));
    return image;
}

void page(QPainter &p, QRectF r) {
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(QColor(0x47, 0x55, 0x69), 1));
    p.setBrush(Qt::white);
    p.drawPath(path);
}

void textLines(QPainter &p, QRectF r, int count) {
    p.setPen(QPen(QColor(0x94, 0xa3, 0xb8), 1));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(r.left() + 3, r.top() + 6 + i * 3), QPointF(r.right() - 3, r.top() + 6 + i * 3));
}

// Each button image is painted into a 24 x 24 cell at the origin.
void paintButton(QPainter &p, int index) {
    const QColor dark(0x33, 0x41, 0x55);
    switch (index) {
    case 0:  // new
        page(p, QRectF(5.5, 2.5, 13, 19));
        break;
    case 1:  // open
        p.setPen(QPen(QColor(0xa1, 0x62, 0x07), 1));
        p.setBrush(QColor(0xfb, 0xbf, 0x24));
        p.drawRect(QRectF(2.5, 6.5, 19, 13));
        p.drawRect(QRectF(2.5, 4.5, 8, 3));
        break;
    case 2:  // save
        p.setPen(QPen(QColor(0x1e, 0x3a, 0x8a), 1));
        p.setBrush(QColor(0x3b, 0x82, 0xf6));
        p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7.5, 3.5, 9, 6));
        p.drawRect(QRectF(6.5, 13.5, 11, 7));
        break;
    case 3: {  // cut
        p.setPen(QPen(dark, 1.6));
        p.drawLine(QPointF(8, 3), QPointF(15, 15));
        p.drawLine(QPointF(16, 3), QPointF(9, 15));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(7.5, 18), 3, 3);
        p.drawEllipse(QPointF(16.5, 18), 3, 3);
        break;
    }
    case 4:  // copy
        page(p, QRectF(3.5, 2.5, 11, 14));
        page(p, QRectF(9.5, 7.5, 11, 14));
        break;
    case 5:  // paste
        p.setPen(QPen(QColor(0x78, 0x35, 0x0f), 1));
        p.setBrush(QColor(0xd9, 0x77, 0x06));
        p.drawRoundedRect(QRectF(3.5, 4.5, 14, 17), 1.5, 1.5);
        p.setBrush(QColor(0x64, 0x74, 0x8b));
        p.drawRect(QRectF(7.5, 2.5, 6, 4));
        page(p, QRectF(10.5, 9.5, 10, 12));
        break;
    case 6:  // print
        page(p, QRectF(7.5, 2.5, 10, 8));
        p.setPen(QPen(dark, 1));
        p.setBrush(QColor(0x94, 0xa3, 0xb8));
        p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 1.5, 1.5);
        page(p, QRectF(6.5, 14.5, 11, 7));
        break;
    case 7: {  // extract the tracks under the selection
        page(p, QRectF(3.5, 2.5, 14, 19));
        p.fillRect(QRectF(5, 9, 11, 4), QColor(0x60, 0xa5, 0xfa));
        QPainterPath arrow;
        arrow.moveTo(13, 11);
        arrow.lineTo(13, 22);
        arrow.lineTo(15.5, 19.5);
        arrow.lineTo(18, 23);
        arrow.lineTo(19.5, 22);
        arrow.lineTo(17, 18.5);
        arrow.lineTo(20.5, 18.5);
        arrow.closeSubpath();
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawPath(arrow);
        break;
    }
    case 8: {  // interpret
        QPainterPath bolt;
        bolt.moveTo(14, 2);
        bolt.lineTo(5, 13);
        bolt.lineTo(11, 13);
        bolt.lineTo(9, 22);
        bolt.lineTo(19, 10);
        bolt.lineTo(13, 10);
        bolt.closeSubpath();
        p.setPen(QPen(QColor(0xb4, 0x53, 0x09), 1));
        p.setBrush(QColor(0xfa, 0xcc, 0x15));
        p.drawPath(bolt);
        break;
    }
    case 9:  // load into the sequencer
        p.setPen(QPen(dark, 1));
        p.setBrush(QColor(0xe2, 0xe8, 0xf0));
        p.drawRect(QRectF(2.5, 13.5, 19, 8));
        for (int x = 5; x < 21; x += 3)
            p.drawLine(QPointF(x + 0.5, 13.5), QPointF(x + 0.5, 18.5));
        p.setPen(QPen(QColor(0x16, 0xa3, 0x4a), 2.2));
        p.drawLine(QPointF(12, 2), QPointF(12, 10));
        p.drawLine(QPointF(8.5, 7), QPointF(12, 10.5));
        p.drawLine(QPointF(15.5, 7), QPointF(12, 10.5));
        break;
    case 10:  // play through the external player
        drawNote(p, QPointF(7, 18), 4, dark);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x16, 0xa3, 0x4a));
        p.drawPolygon(QPolygonF({QPointF(13, 8), QPointF(22, 13.5), QPointF(13, 19)}));
        break;
    case 11:  // internal play
        p.setPen(QPen(QColor(0x15, 0x80, 0x3d), 1));
        p.setBrush(QColor(0x22, 0xc5, 0x5e));
        p.drawPolygon(QPolygonF({QPointF(6, 3.5), QPointF(20, 12), QPointF(6, 20.5)}));
        break;
    case 12:  // stop
        p.setPen(QPen(QColor(0x99, 0x1b, 0x1b), 1));
        p.setBrush(QColor(0xef, 0x44, 0x44));
        p.drawRoundedRect(QRectF(5.5, 5.5, 13, 13), 1.5, 1.5);
        break;
    }
}

QImage toolbarStrip() {
    QImage image(kButton * kButtonCount, kButton, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < kButtonCount; ++i) {
        p.save();
        p.translate(i * kButton, 0);
        paintButton(p, i);
        if (i == 0 || i == 4)
            textLines(p, QRectF(6, 3, 12, 16), i == 0 ? 4 : 0);
        p.restore();
    }
    return image;
}

bool save(const QImage &image, const QDir &dir, const QString &name) {
    if (image.save(dir.filePath(name), "PNG"))
        return true;
    std::fprintf(stderr, "vekedit_artwork: cannot write %s\n", qPrintable(dir.filePath(name)));
    return false;
}

}  // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vekedit_artwork OUTPUT_FOLDER\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = save(splash(), dir, "splash.png") && save(toolbarStrip(), dir, "toolbar.png");
    for (int edge : {16, 32, 48, 128, 256})
        ok = ok && save(appIcon(edge), dir, QString("vekedit-%1.png").arg(edge));
    return ok ? 0 : 1;
}

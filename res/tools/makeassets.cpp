// Draws the program's pictures into res/. Run once after changing a design:
//   g++ -std=c++17 -fPIC makeassets.cpp -o /tmp/makeassets \
//       $(pkg-config --cflags --libs Qt5Gui) && QT_QPA_PLATFORM=offscreen /tmp/makeassets res
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <map>
#include <vector>

static QString root;

static void save(const QImage &img, const QString &rel)
{
    if (!img.save(root + "/" + rel))
        qFatal("cannot write %s", qPrintable(rel));
}

static QImage canvas(int w, int h, QColor fill = Qt::transparent)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

static void splash()
{
    QImage img = canvas(600, 400);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 400);
    bg.setColorAt(0, QColor("#2d5680"));
    bg.setColorAt(0.62, QColor("#1d3857"));
    bg.setColorAt(1, QColor("#142840"));
    p.fillRect(img.rect(), bg);

    // A 3 x 3 wall of monitors with four windows laid over it.
    const QRectF wall(150, 56, 300, 168);
    p.setPen(QPen(QColor("#7f9ab8"), 2));
    p.setBrush(QColor("#0f2136"));
    p.drawRoundedRect(wall.adjusted(-8, -8, 8, 8), 6, 6);
    p.setPen(QPen(QColor("#3b5f86"), 1.5));
    for (int i = 1; i < 3; ++i) {
        p.drawLine(QPointF(wall.left() + wall.width() * i / 3, wall.top()),
                   QPointF(wall.left() + wall.width() * i / 3, wall.bottom()));
        p.drawLine(QPointF(wall.left(), wall.top() + wall.height() * i / 3),
                   QPointF(wall.right(), wall.top() + wall.height() * i / 3));
    }
    const QColor colours[4] = {QColor("#00bb9e"), QColor("#4a90d9"), QColor("#e0a040"), QColor("#c9607a")};
    const QRectF windows[4] = {QRectF(160, 66, 170, 96), QRectF(300, 100, 140, 80), QRectF(180, 150, 110, 64),
                               QRectF(350, 66, 88, 50)};
    QFont f("DejaVu Sans", 16, QFont::Bold);
    p.setFont(f);
    for (int i = 3; i >= 0; --i) {
        QColor c = colours[i];
        c.setAlpha(215);
        p.setPen(QPen(colours[i].lighter(140), 2));
        p.setBrush(c);
        p.drawRoundedRect(windows[i], 3, 3);
        p.setPen(Qt::white);
        p.drawText(windows[i], Qt::AlignCenter, QString::number(i + 1));
    }
    // The stand below the wall.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#7f9ab8"));
    p.drawRect(QRectF(290, 232, 20, 10));
    p.drawRoundedRect(QRectF(250, 240, 100, 5), 2, 2);
    p.end();
    save(img, "splash.png");
}

static void roundIcon(const QString &rel, QColor colour, const QString &glyph)
{
    QImage img = canvas(64, 64);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(26, 22), 40);
    g.setColorAt(0, colour.lighter(130));
    g.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(120), 2));
    p.setBrush(g);
    p.drawEllipse(QRectF(4, 4, 56, 56));
    p.setPen(Qt::white);
    QFont f("DejaVu Sans", 28, QFont::Bold);
    p.setFont(f);
    p.drawText(QRectF(4, 3, 56, 56), Qt::AlignCenter, glyph);
    p.end();
    save(img, rel);
}

static void warningIcon()
{
    QImage img = canvas(64, 64);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tri;
    tri.moveTo(32, 5);
    tri.lineTo(61, 57);
    tri.lineTo(3, 57);
    tri.closeSubpath();
    QLinearGradient g(0, 5, 0, 57);
    g.setColorAt(0, QColor("#ffd35a"));
    g.setColorAt(1, QColor("#f0a020"));
    p.setPen(QPen(QColor("#c07c10"), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(tri);
    p.setPen(QColor("#4a3000"));
    QFont f("DejaVu Sans", 26, QFont::Bold);
    p.setFont(f);
    p.drawText(QRectF(3, 16, 58, 42), Qt::AlignCenter, "!");
    p.end();
    save(img, "warningIcon.png");
}

// Division-mode icon: a 16:9 wall with numbered window rectangles.
static void modeIcon(const QString &rel, const std::vector<std::pair<int, QRectF>> &wins)
{
    const int w = 64, h = 40;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF wall(2, 2, w - 4, h - 4);
    p.setPen(QPen(QColor("#324c6c"), 1.5));
    p.setBrush(QColor("#eef3f9"));
    p.drawRoundedRect(wall, 2, 2);
    const QColor colours[4] = {QColor("#00bb9e"), QColor("#4a90d9"), QColor("#e0a040"), QColor("#c9607a")};
    QFont f("DejaVu Sans", 7, QFont::Bold);
    p.setFont(f);
    for (const auto &[n, r] : wins) {
        const QRectF box(wall.left() + r.left() * wall.width(), wall.top() + r.top() * wall.height(),
                         r.width() * wall.width(), r.height() * wall.height());
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(colours[n - 1]);
        p.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(Qt::white);
        // A window that others cover shows its number in its free top-left part.
        const bool covered = r.width() == 1 && r.height() == 1 && wins.size() > 1;
        const QRectF textBox = covered ? QRectF(box.topLeft(), box.size() / 2) : box;
        p.drawText(textBox, Qt::AlignCenter, QString::number(n));
    }
    p.end();
    save(img, rel);
}

static void titleIcons()
{
    QImage min = canvas(24, 24);
    QPainter p(&min);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor("#324c6c"), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 15), QPointF(18, 15));
    p.end();
    save(min, "image/1/min.png");

    QImage out = canvas(24, 24);
    p.begin(&out);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor("#324c6c"), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 7), QPointF(17, 17));
    p.drawLine(QPointF(17, 7), QPointF(7, 17));
    p.end();
    save(out, "image/1/out.png");

    QImage mul = canvas(16, 16);
    p.begin(&mul);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor("#324c6c"), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
    p.end();
    save(mul, "image/multiply.png");
}

// Small marks for the stylesheet: the check box tick and the combo box arrow.
static void styleMarks()
{
    QImage tick = canvas(14, 14);
    QPainter p(&tick);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3, 7.5), QPointF(6, 10.5), QPointF(11, 4)}));
    p.end();
    save(tick, "image/check.png");

    for (const auto &[name, colour] : {std::pair<const char *, const char *>{"image/arrowDown.png", "#324c6c"},
                                       {"image/arrowDownDisabled.png", "#8c9fb6"}}) {
        QImage arrow = canvas(10, 6);
        p.begin(&arrow);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(colour));
        p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(10, 0), QPointF(5, 6)}));
        p.end();
        save(arrow, name);
    }
}

// The processor's four inputs, above the input buttons of the main window.
static void inputPanel()
{
    QImage img = canvas(176, 96);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 96);
    g.setColorAt(0, QColor("#3c4f66"));
    g.setColorAt(1, QColor("#26374b"));
    p.setPen(QPen(QColor("#7f9ab8"), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1, 8, 174, 80), 6, 6);
    QFont f("DejaVu Sans", 8, QFont::Bold);
    p.setFont(f);
    for (int i = 0; i < 4; ++i) {
        const double x = 14 + i * 40;
        // An HDMI-shaped socket: a trapezoid with a dark slot.
        QPainterPath port;
        port.moveTo(x, 34);
        port.lineTo(x + 28, 34);
        port.lineTo(x + 28, 42);
        port.lineTo(x + 24, 48);
        port.lineTo(x + 4, 48);
        port.lineTo(x, 42);
        port.closeSubpath();
        p.setPen(QPen(QColor("#c9d6e4"), 1.2));
        p.setBrush(QColor("#11161d"));
        p.drawPath(port);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor("#6d7f94"));
        p.drawRect(QRectF(x + 5, 38, 18, 3));
        p.setPen(QColor("#00bb9e"));
        p.drawText(QRectF(x - 6, 52, 40, 16), Qt::AlignCenter, QString::number(i + 1));
        p.setBrush(QColor("#00bb9e"));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(x + 14, 24), 2.5, 2.5);
    }
    p.end();
    save(img, "image/inputPanel.png");
}

// ---- a small GIF89a writer for the waiting animation ----
static void lzw(std::vector<uint8_t> &out, const std::vector<uint8_t> &pixels, int minCode)
{
    const int clear = 1 << minCode, eoi = clear + 1;
    int codeSize = minCode + 1, next = eoi + 1;
    std::map<std::pair<int, int>, int> dict;
    std::vector<uint8_t> bytes;
    uint32_t acc = 0;
    int bits = 0;
    auto put = [&](int code) {
        acc |= uint32_t(code) << bits;
        bits += codeSize;
        while (bits >= 8) {
            bytes.push_back(acc & 0xff);
            acc >>= 8;
            bits -= 8;
        }
    };
    put(clear);
    int prefix = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
        const int c = pixels[i];
        auto it = dict.find({prefix, c});
        if (it != dict.end()) {
            prefix = it->second;
            continue;
        }
        put(prefix);
        if (next < 4096) {
            dict[{prefix, c}] = next++;
            if (next > (1 << codeSize) && codeSize < 12)
                ++codeSize;
        } else {
            put(clear);
            dict.clear();
            codeSize = minCode + 1;
            next = eoi + 1;
        }
        prefix = c;
    }
    put(prefix);
    put(eoi);
    if (bits > 0)
        bytes.push_back(acc & 0xff);
    out.push_back(uint8_t(minCode));
    for (size_t i = 0; i < bytes.size(); i += 255) {
        const size_t n = std::min<size_t>(255, bytes.size() - i);
        out.push_back(uint8_t(n));
        out.insert(out.end(), bytes.begin() + long(i), bytes.begin() + long(i + n));
    }
    out.push_back(0);
}

static void waitingGif()
{
    const int size = 64, frames = 12;
    const QColor accent("#00bb9e");
    std::vector<uint8_t> gif;
    auto put16 = [&](int v) {
        gif.push_back(v & 0xff);
        gif.push_back((v >> 8) & 0xff);
    };
    for (char c : QByteArray("GIF89a"))
        gif.push_back(uint8_t(c));
    put16(size);
    put16(size);
    gif.push_back(0xF7); // global table of 256 entries
    gif.push_back(0);
    gif.push_back(0);
    // Palette: 256 steps from white to the accent colour.
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0;
        gif.push_back(uint8_t(255 + (accent.red() - 255) * t));
        gif.push_back(uint8_t(255 + (accent.green() - 255) * t));
        gif.push_back(uint8_t(255 + (accent.blue() - 255) * t));
    }
    // Loop forever.
    const uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
    gif.insert(gif.end(), loop, loop + sizeof loop);
    for (int f = 0; f < frames; ++f) {
        QImage img(size, size, QImage::Format_Grayscale8);
        img.fill(0);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int d = 0; d < frames; ++d) {
            const int age = (f - d + frames) % frames; // 0 = the newest dot
            const double strength = std::max(0.15, 1.0 - age / double(frames - 1));
            const double a = 2 * M_PI * d / frames - M_PI / 2;
            p.setBrush(QColor::fromRgbF(strength, strength, strength));
            p.drawEllipse(QPointF(32 + 23 * std::cos(a), 32 + 23 * std::sin(a)), 5.5, 5.5);
        }
        p.end();
        std::vector<uint8_t> pixels;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                pixels.push_back(img.constScanLine(y)[x]);
        const uint8_t gce[] = {0x21, 0xF9, 4, 0, 8, 0, 0, 0}; // 80 ms per frame
        gif.insert(gif.end(), gce, gce + sizeof gce);
        gif.push_back(0x2C);
        put16(0);
        put16(0);
        put16(size);
        put16(size);
        gif.push_back(0);
        lzw(gif, pixels, 8);
    }
    gif.push_back(0x3B);
    QFile file(root + "/image/icon-wzb/waiting.gif");
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write waiting.gif");
    file.write(reinterpret_cast<const char *>(gif.data()), qint64(gif.size()));
}

// The window icon: packaging/w4control.svg drawn at 256 x 256 (the same shapes,
// four times the size), so the program needs no SVG support to show it.
static void appIcon()
{
    const int size = 256;
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    auto rect = [&p](double x, double y, double w, double h, double r, const char *colour) {
        p.setBrush(QColor(colour));
        p.drawRoundedRect(QRectF(x, y, w, h), r, r);
    };
    rect(2, 6, 60, 46, 5, "#1d2a3a");
    rect(7, 11, 24, 17, 1.5, "#3f8fd8");
    rect(33, 11, 24, 17, 1.5, "#2f6fae");
    rect(7, 30, 24, 17, 1.5, "#2f6fae");
    rect(33, 30, 24, 17, 1.5, "#f2a93b");
    rect(26, 52, 12, 5, 0, "#1d2a3a");
    rect(16, 56, 32, 4, 2, "#1d2a3a");
    p.end();
    save(img, "w4control.png");
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("res");
    splash();
    roundIcon("questionIcon.png", QColor("#3d7fc4"), "?");
    roundIcon("informationIcon.png", QColor("#00a88e"), "i");
    roundIcon("errorIcon.png", QColor("#d2463c"), QString(QChar(0x00D7)));
    warningIcon();
    const double t = 1.0 / 3;
    modeIcon("image/SpliceMode/OneScreen.png", {{1, QRectF(0, 0, 1, 1)}});
    modeIcon("image/SpliceMode/FourScreen.png", {{1, QRectF(0, 0, .5, .5)},
                                                 {2, QRectF(.5, 0, .5, .5)},
                                                 {3, QRectF(0, .5, .5, .5)},
                                                 {4, QRectF(.5, .5, .5, .5)}});
    modeIcon("image/SpliceMode/TwoScreen_Leftrigt.png", {{1, QRectF(0, 0, .5, 1)}, {2, QRectF(.5, 0, .5, 1)}});
    modeIcon("image/SpliceMode/TwoScreen_Updown.png", {{1, QRectF(0, 0, 1, .5)}, {2, QRectF(0, .5, 1, .5)}});
    modeIcon("image/SpliceMode/FourScreen_OBTS.png", {{4, QRectF(0, 0, 1, 1)},
                                                      {1, QRectF(2 * t, 0, t, t)},
                                                      {2, QRectF(2 * t, t, t, t)},
                                                      {3, QRectF(2 * t, 2 * t, t, t)}});
    modeIcon("image/SpliceMode/TwoScreen_OBOS.png", {{2, QRectF(0, 0, 1, 1)}, {1, QRectF(.5, .5, .5, .5)}});
    titleIcons();
    inputPanel();
    styleMarks();
    waitingGif();
    appIcon();
    return 0;
}

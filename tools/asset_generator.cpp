// SPDX-License-Identifier: GPL-3.0-or-later
// Draws Zentora's own pictures at build time: the roulette table, the chip, the pressed number fields, the
// image buttons and the letters of the words drawn on the table. Also writes the layout file for 1280 x 800
// from the same design geometry (--layout-ini), and the program icon for the desktop (--icons).
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <array>
#include <cstdio>

#include "app_icon.h"
#include "catalogue/number_set.h"
#include "info_pictures.h"
#include "ui/table_geometry.h"

namespace {

using namespace zentora::table;

using zentora::IsBlack;

const QColor kFelt(0, 118, 52);
const QColor kFeltDark(0, 92, 40);
const QColor kLine(236, 236, 220);
const QColor kRed(196, 24, 32);
const QColor kBlackColor(24, 24, 24);
const QColor kGold(232, 196, 64);
// Pixels of this colour are see-through (the chip and button pictures are BMPs without alpha).
const QColor kTransparentKey(255, 0, 255);

QRect ToQRect(Rect r) {
    return QRect(r.left, r.top, r.width, r.height);
}

void DrawNumberFace(QPainter& p, const QRect& field, int number, bool pressed) {
    p.fillRect(field, pressed ? QColor(250, 220, 90) : kFelt);
    const QColor disc = number == 0 ? QColor(0, 150, 70) : (IsBlack(number) ? kBlackColor : kRed);
    const int d = std::min(field.height() - 10, 44);
    const QRect oval(field.center().x() - d * 3 / 4, field.center().y() - d / 2, d * 3 / 2, d);
    p.setPen(QPen(pressed ? kBlackColor : kLine, 2));
    p.setBrush(disc);
    if (number == 0) {
        QPainterPath path;
        path.addRoundedRect(field.adjusted(8, 6, -8, -6), 24, 24);
        p.drawPath(path);
    } else {
        p.drawEllipse(oval);
    }
    QFont font("DejaVu Sans", number == 0 ? 30 : 20, QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(number == 0 ? field : oval, Qt::AlignCenter, QString::number(number));
}

void DrawBoxText(QPainter& p, const QRect& box, const QString& text, int size, QColor color = Qt::white) {
    p.setFont(QFont("DejaVu Sans", size, QFont::Bold));
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

void DrawDiamond(QPainter& p, const QRect& box, QColor color) {
    const QPoint c = box.center();
    const int w = 40, h = 70;
    QPolygon diamond({QPoint(c.x(), c.y() - h / 2), QPoint(c.x() + w / 2, c.y()),
                      QPoint(c.x(), c.y() + h / 2), QPoint(c.x() - w / 2, c.y())});
    p.setPen(QPen(kLine, 2));
    p.setBrush(color);
    p.drawPolygon(diamond);
}

QImage DrawTable() {
    QImage image(kHintergrund.width, kHintergrund.height, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 0));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Playing field: felt, then every number field, then the lines between them.
    p.fillRect(QRect(0, 8, 640, 775), kFeltDark);
    for (int n = 0; n <= 36; ++n) DrawNumberFace(p, ToQRect(NumberField(n)), n, false);
    p.setPen(QPen(kLine, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(kFieldLeft - 1, kZeroField.top - 1, kFieldRight - kFieldLeft + 1,
                     RowLine(12) - kZeroField.top + 2));
    for (int row = 0; row < 12; ++row) p.drawLine(kFieldLeft, RowLine(row), kFieldRight, RowLine(row));
    for (int column = 1; column <= 2; ++column)
        p.drawLine(ColumnLine(column), RowTop(1) - 1, ColumnLine(column), RowLine(12));

    // Simple chances left and right of the field.
    const char* simple[6] = {"19-36", "1-18", "", "", "", ""};
    for (int i = 0; i < 6; ++i) {
        const QRect box = ToQRect(SimpleChanceBox(i));
        p.setPen(QPen(kLine, 2));
        p.setBrush(kFelt);
        p.drawRoundedRect(box, 6, 6);
        if (i < 2) DrawBoxText(p, box.adjusted(0, 0, 0, -60), simple[i], 26);
        if (i == 4) DrawDiamond(p, box.adjusted(0, 0, 0, -50), kBlackColor);
        if (i == 5) DrawDiamond(p, box.adjusted(0, 0, 0, -50), kRed);
    }
    const char* dozens[3] = {"1-12", "13-24", "25-36"};
    for (int i = 0; i < 3; ++i) {
        const QRect box = ToQRect(DozenBox(i));
        p.setPen(QPen(kLine, 2));
        p.setBrush(kFelt);
        p.drawRoundedRect(box, 4, 4);
        DrawBoxText(p, box, dozens[i], 10);
        const QRect column = ToQRect(ColumnBox(i));
        p.setPen(QPen(kLine, 2));
        p.setBrush(kFelt);
        p.drawRect(column);
        DrawBoxText(p, column, "2 : 1", 14);
    }

    // Counter board: the numbers in table order, the counters are written over its cells.
    p.fillRect(QRect(kBoardZero.left - 6, kBoardZero.top - 6, kBoardZero.width + 12, 484), kFeltDark);
    const auto boardCell = [&](Rect r, const QString& caption, QColor disc) {
        const QRect cell = ToQRect(r).adjusted(1, 1, -1, -1);
        p.setPen(QPen(kLine, 1));
        p.setBrush(kFelt);
        p.drawRect(cell);
        const QRect tag(cell.left() + 3, cell.center().y() - 11, 32, 22);
        p.setBrush(disc);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(tag, 9, 9);
        p.setFont(QFont("DejaVu Sans", 9, QFont::Bold));
        p.setPen(Qt::white);
        p.drawText(tag, Qt::AlignCenter, caption);
    };
    for (int n = 0; n <= 36; ++n)
        boardCell(BoardCell(n), QString::number(n),
                  n == 0 ? QColor(0, 150, 70) : (IsBlack(n) ? kBlackColor : kRed));
    for (int i = 0; i < 3; ++i) boardCell(BoardColumnCell(i), "2:1", kFeltDark);
    return image;
}

QImage DrawChip() {
    QImage image(kChipSize, kChipSize, QImage::Format_RGB32);
    image.fill(kTransparentKey);
    QPainter p(&image);  // no antialiasing: edge pixels must not blend into the key colour
    p.setPen(QPen(QColor(250, 250, 250), 2));
    p.setBrush(QColor(30, 70, 190));
    p.drawEllipse(QRect(2, 2, kChipSize - 5, kChipSize - 5));
    p.setPen(QPen(QColor(250, 250, 250), 3, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(5, 5, kChipSize - 11, kChipSize - 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 50, 150));
    p.drawEllipse(QRect(9, 9, kChipSize - 19, kChipSize - 19));
    return image;
}

QImage DrawPressed(int number) {
    const Rect field = NumberField(number);
    QImage image(field.width, field.height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawNumberFace(p, QRect(0, 0, field.width, field.height), number, true);
    p.setPen(QPen(QColor(120, 90, 0), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(1, 1, field.width - 3, field.height - 3));
    return image;
}

QImage DrawButton(int width, int height, QColor face) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kTransparentKey);
    QPainter p(&image);
    p.setPen(QPen(QColor(250, 230, 140), 2));
    p.setBrush(face);
    p.drawRoundedRect(QRect(1, 1, width - 3, height - 3), height / 3, height / 3);
    p.setPen(QPen(face.lighter(150), 1));
    p.drawLine(height / 3, 4, width - height / 3, 4);
    return image;
}

QImage DrawArrowButton(bool toEnd) {
    QImage image = DrawButton(94, 30, QColor(120, 20, 20));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    const int x = 76;
    p.drawPolygon(QPolygon({QPoint(x, 9), QPoint(x + 9, 15), QPoint(x, 21)}));
    if (toEnd) p.drawRect(QRect(x + 9, 9, 3, 12));
    return image;
}

// One letter of the words drawn on the table: a light serif letter with a dark rim, on the see-through
// colour, kept 1 pixel clear of the left edge so the bottom-left pixel is always background.
QImage DrawLetter(const QString& letter) {
    QFont font("DejaVu Serif", 10, QFont::Bold);
    font.setPixelSize(22);
    const QFontMetrics metrics(font);
    const int width = std::max(4, metrics.horizontalAdvance(letter) + 3);
    QImage image(width, 28, QImage::Format_RGB32);
    image.fill(kTransparentKey);
    if (letter.trimmed().isEmpty()) return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);  // no blend with the see-through colour
    QPainterPath path;
    path.addText(1.5, 21, font, letter);
    p.setPen(QPen(QColor(40, 30, 0), 2));
    p.setBrush(QColor(250, 236, 170));
    p.drawPath(path);
    return image;
}

// Every character the four languages write on the table, and the rest of the alphabet for translators.
const char* const kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -"
    "ÄÖÜäöüßÉÈÀÇéèàçâêîôûëïœ";

bool Save(const QImage& image, const QString& path) {
    if (!image.save(path, "BMP")) {
        std::fprintf(stderr, "asset_generator: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// About box, splash window and the English banner.
bool SaveInfoPictures(const QDir& root) {
    using namespace zentora::pictures;
    bool ok = Save(DrawInfoPicture(), root.filePath("Bilder/Info.bmp"));
    ok = Save(DrawSplash(QString::fromUtf8("Roulette-Systeme Coup für Coup berechnen und auswerten")),
              root.filePath("Bilder/SplashDE.bmp")) &&
         ok;
    ok = Save(DrawSplash("Work out roulette systems spin by spin and evaluate them"),
              root.filePath("Bilder/SplashEN.bmp")) &&
         ok;
    QFile gif(root.filePath("Bilder/Roullette_banner2.gif"));
    if (!gif.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        gif.write(EncodeGif(DrawEnglishBanner())) < 0) {
        std::fprintf(stderr, "asset_generator: cannot write %s\n", qPrintable(gif.fileName()));
        return false;
    }
    return ok;
}

// The layout for 1280 x 800: the same table, widened to the fixed zero field of the wide screen.
int WideX(int x) {
    return 178 + (x - 162) * 346 / 314;
}  // ends 1145 -> 1261: still on a 1280 screen
int WideY(int y) {
    return 13 + (y - 13) * 64 / 71;
}
int WideW(int w) {
    return w * 346 / 314;
}
int WideH(int h) {
    return h * 64 / 71;
}

bool WriteLayoutIni(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QTextStream out(&file);
    const auto section = [&](const QString& name, auto&& entries) {
        out << "[" << name << "]\r\n";
        entries();
        out << "\r\n";
    };
    const char* props[4] = {"Width", "Height", "Left", "Top"};
    const auto rectValue = [](Rect r, int prop) {
        switch (prop) {
            case 0:
                return WideW(r.width);
            case 1:
                return WideH(r.height);
            case 2:
                return WideX(r.left);
            default:
                return WideY(r.top);
        }
    };
    for (int prop = 0; prop < 4; ++prop)
        section(QString("Images") + props[prop], [&] {
            for (int pos = 0; pos <= 156; ++pos) {
                const Point c = ChipCenter(pos);
                const int values[4] = {kChipSize, kChipSize, WideX(c.x) - kChipSize / 2,
                                       WideY(c.y) - kChipSize / 2};
                out << "Images" << pos << "=" << values[prop] << "\r\n";
            }
        });
    for (int prop = 0; prop < 4; ++prop)
        section(QString("Image") + props[prop], [&] {
            for (int n = 1; n <= 37; ++n) {
                const Rect r = n == 37 ? kImage37 : NumberField(n);
                const int value = n == 37 && prop < 2 ? (prop == 0 ? r.width : r.height) : rectValue(r, prop);
                out << "Image" << n << "=" << value << "\r\n";
            }
        });
    for (int prop = 0; prop < 4; ++prop)
        section(QString("Label") + props[prop], [&] {
            for (int i = 1; i <= 49; ++i) {
                const Rect r = CounterLabel(i);
                const int fixed[2] = {r.width, r.height};  // the font keeps its size
                const int value = prop < 2 ? fixed[prop] : rectValue(r, prop);
                if (i <= 46)
                    out << "Label" << i << "=" << value << "\r\n";
                else
                    out << "JvLabel" << i - 46 << "=" << value << "\r\n";
            }
        });
    section("LabelAngle", [&] {
        for (int i = 1; i <= 3; ++i) out << "JvLabel" << i << "=0\r\n";
    });
    const std::pair<const char*, Rect> controls[] = {
        {"StringGrid1", kStringGrid1}, {"Listbox1", kListBox1},     {"Edit1", kEdit1},
        {"Hintergrund", kHintergrund}, {"Label0", CounterLabel(0)}, {"BannerWerbung", kBannerWerbung}};
    for (int prop = 0; prop < 4; ++prop)
        section(props[prop], [&] {
            for (const auto& [name, r] : controls) {
                int value = rectValue(r, prop);
                if (std::string_view(name) == "Label0" && prop < 2) value = prop == 0 ? r.width : r.height;
                if (std::string_view(name) == "Edit1" && prop == 1) value = r.height;
                out << name << "=" << value << "\r\n";
            }
            if (prop == 1)
                out << "Gerade=" << kGerade.height << "\r\nUngerade=" << kUngerade.height << "\r\n";
            if (prop == 3)
                out << "Gerade=" << WideY(kGerade.top) << "\r\nUngerade=" << WideY(kUngerade.top) << "\r\n";
        });
    return out.status() == QTextStream::Ok && file.flush();
}

}  // namespace

// The hicolor theme's folders below `root`, each with the icon named `id`.
bool WriteIcons(const QDir& root, const QString& id) {
    bool ok = true;
    for (const int size : {48, 128, 256}) {
        const QString folder = QString("hicolor/%1x%1/apps").arg(size);
        ok = root.mkpath(folder) &&
             zentora::icon::RenderIcon(size).save(root.filePath(folder + '/' + id + ".png"), "PNG") && ok;
    }
    ok = root.mkpath("hicolor/scalable/apps") &&
         zentora::icon::WriteIconSvg(root.filePath("hicolor/scalable/apps/" + id + ".svg")) && ok;
    if (!ok)
        std::fprintf(stderr, "asset_generator: cannot write the icons below %s\n", qPrintable(root.path()));
    return ok;
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == "--layout-ini") return WriteLayoutIni(args[2]) ? 0 : 1;
    if (args.size() == 4 && args[1] == "--icons") return WriteIcons(QDir(args[2]), args[3]) ? 0 : 1;
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: asset_generator OUTPUT_DIR | --layout-ini FILE | --icons DIR ID\n");
        return 2;
    }
    const QDir root(args[1]);
    for (const char* folder : {"Bilder", "Buttonunten", "Font"})
        if (!root.mkpath(folder)) return 1;
    bool ok = Save(DrawTable(), root.filePath("Bilder/Hintergrund.bmp"));
    ok = Save(DrawChip(), root.filePath("Bilder/Chip1.bmp")) && ok;
    for (int n = 0; n <= 36; ++n)
        ok = Save(DrawPressed(n), root.filePath(QString("Buttonunten/%1.bmp").arg(n))) && ok;
    ok = Save(DrawButton(94, 30, QColor(120, 20, 20)), root.filePath("Buttonunten/Button2.bmp")) && ok;
    ok = Save(DrawButton(110, 30, QColor(120, 20, 20)), root.filePath("Buttonunten/Button.bmp")) && ok;
    ok = Save(DrawButton(160, 30, QColor(120, 20, 20)), root.filePath("Buttonunten/Buttonlang.bmp")) && ok;
    ok = Save(DrawArrowButton(false), root.filePath(QString::fromUtf8("Buttonunten/Vorwärts.bmp"))) && ok;
    ok = Save(DrawArrowButton(true), root.filePath("Buttonunten/Ende.bmp")) && ok;
    ok = SaveInfoPictures(root) && ok;
    for (const QChar letter : QString::fromUtf8(kLetters))
        ok = Save(DrawLetter(QString(letter)), root.filePath(QString("Font/%1.bmp").arg(letter))) && ok;
    return ok ? 0 : 1;
}

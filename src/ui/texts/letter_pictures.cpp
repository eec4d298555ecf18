// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/texts/letter_pictures.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <vector>

#include "ui/io/data_files.h"

namespace zentora {

QString LetterFile(const DataFolders& folders, char32_t character) {
    return folders.Read(QStringLiteral("Font/") + QString::fromUcs4(&character, 1) + QStringLiteral(".bmp"));
}

namespace {

QImage LoadLetter(const DataFolders& folders, char32_t character) {
    QImage letter = LoadImage(LetterFile(folders, character));
    if (letter.isNull()) {
        qWarning("Letter picture missing: %s", qPrintable(LetterFile(folders, character)));
        const QString text = QString::fromUcs4(&character, 1);
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPixelSize(kLetterHeight - 4);
        font.setBold(true);
        const QFontMetrics metrics(font);
        QImage drawn(std::max(1, metrics.horizontalAdvance(text)), kLetterHeight, QImage::Format_ARGB32);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(drawn.rect(), Qt::AlignCenter, text);
        return drawn;
    }
    letter = letter.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = letter.pixel(0, letter.height() - 1);
    for (int y = 0; y < letter.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(letter.scanLine(y));
        for (int x = 0; x < letter.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = qRgba(0, 0, 0, 0);
    }
    if (letter.height() != kLetterHeight)
        letter = letter.scaledToHeight(kLetterHeight, Qt::SmoothTransformation);
    return letter;
}

}  // namespace

QPixmap LetterWord(const DataFolders& folders, const QString& word) {
    std::vector<QImage> letters;
    int width = 0;
    for (const char32_t c : word.toUcs4()) {
        letters.push_back(LoadLetter(folders, c));
        width += letters.back().width();
    }
    QImage picture(std::max(1, width), kLetterHeight, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    int x = 0;
    for (const QImage& letter : letters) {
        painter.drawImage(x, 0, letter);
        x += letter.width();
    }
    painter.end();
    return QPixmap::fromImage(picture);
}

}  // namespace zentora

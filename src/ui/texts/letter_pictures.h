// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

#include "ui/io/data_folders.h"

namespace zentora {

inline constexpr int kLetterHeight = 28;

// The file of one character's picture: Font/<character>.bmp beside the program.
QString LetterFile(const DataFolders& folders, char32_t character);

// A word put together from the letter pictures, each scaled to kLetterHeight and appended at the right; the
// pictures' background colour (their bottom-left pixel) is see-through. A character without a picture is
// drawn with a plain font, so the word stays readable.
QPixmap LetterWord(const DataFolders& folders, const QString& word);

}  // namespace zentora

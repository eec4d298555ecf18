// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/io/file_dialog_filters.h"

#include <QFileDialog>

namespace zentora {

namespace {

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void SetNameFilters(QFileDialog& dialog, std::span<const files::DialogFilter> filters,
                    const std::function<QString(const QString&)>& translate) {
    // Qt reads the patterns from the last parentheses of an entry and, with the details hidden, shows what
    // stands before them: the caption stays as written while the patterns differ from it.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList entries;
    for (const files::DialogFilter& filter : filters) {
        const QString pattern = FromStd(filter.pattern);
        const QString both =
            pattern.toLower() == pattern.toUpper() ? pattern : pattern.toLower() + ' ' + pattern.toUpper();
        entries << translate(FromStd(filter.name)) + FromStd(filter.labelSuffix) + " (" + both + ')';
    }
    dialog.setNameFilters(entries);
}

}  // namespace zentora

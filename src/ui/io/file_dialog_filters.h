// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <span>

#include "files/permanence_flows.h"

class QFileDialog;

namespace zentora {

// Gives a file dialog its filter entries. Each entry shows TranslateText(name) + labelSuffix exactly and
// matches its pattern in both letter cases, so files are found whatever case their extension has.
void SetNameFilters(QFileDialog& dialog, std::span<const files::DialogFilter> filters,
                    const std::function<QString(const QString&)>& translate);

}  // namespace zentora

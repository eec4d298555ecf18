// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zentora {

// The folder that holds Einstellungen/, Bilder/, Buttonunten/, Font/ and Save/: the executable's folder, or a
// per-user copy of it when that folder is not writable (a system-wide install).
QString DataRoot();

// The file that keeps spins the program could not ask about saving, in the writable data folder.
QString RecoveryFilePath(const QString& dataRoot);

}  // namespace zentora

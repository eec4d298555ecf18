// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "files/data_location.h"

namespace zentora {

// The data folders as the windows use them (the rule is files::DataLocation's): Read() finds a file to read,
// the user's copy first, then the shipped one; Write() names where the program saves it. A single folder (a
// build folder, a test's copy) serves as both.
class DataFolders {
  public:
    DataFolders(const QString& folder);  // NOLINT(google-explicit-constructor): a portable folder
    explicit DataFolders(files::DataLocation location);

    QString Read(const QString& relative) const;
    QString Write(const QString& relative) const;
    // The folder the program writes into; the start folder of its file dialogs lies there.
    QString User() const;

  private:
    files::DataLocation location_;
};

// The file that keeps spins the program could not ask about saving, in the writable data folder.
QString RecoveryFilePath(const DataFolders& folders);

}  // namespace zentora

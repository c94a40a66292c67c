#pragma once

#include <QString>

// The platform's directory and file choosers. An empty answer means the driver cancelled.
class PathChooser {
public:
    virtual ~PathChooser() = default;
    virtual QString chooseDirectory(const QString &start) = 0;
    // filter in the Qt form, e.g. "Bitmaps (*.bmp)".
    virtual QString chooseFile(const QString &start, const QString &filter) = 0;
};

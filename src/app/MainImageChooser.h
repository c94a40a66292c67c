#pragma once

#include <QString>
#include <QStringList>

// The main screen image candidates: the "*.jpg" files of the program directory, sorted
// without regard to case, walked with wrap-around by "Select Next" and "Select Prev".
class MainImageChooser {
public:
    void setDirectory(const QString &dir);
    int index() const { return m_index; }
    int count() const { return int(m_files.size()); }

    // The path of the newly chosen file, or an empty text when there are no candidates.
    QString next();
    QString previous();

private:
    QString m_dir;
    QStringList m_files;
    int m_index = -1;
};

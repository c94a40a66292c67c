#pragma once

#include <QString>
#include <QTemporaryDir>

// A program directory that looks like another one but keeps what the window writes to
// itself: every entry is linked, except the settings (copied, with the drivers log's
// second copy pointed at a folder of the mirror) and the drivers log's folders (left
// out, so the mirror starts with an empty log). The pictures of the screens are taken
// on a mirror, so that taking them never touches the demo's settings or logbook.
class ProgramMirror {
public:
    explicit ProgramMirror(const QString &programDir);

    bool isValid() const { return m_valid; }
    QString path() const; // ends with "/"

private:
    bool mirror(const QString &programDir);
    bool copySettings(const QString &from);

    QTemporaryDir m_dir;
    bool m_valid = false;
};

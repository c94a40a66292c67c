#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Appends one line of the drivers log to a file. The file is opened for the one line and
// closed again; it is only ever appended to, and the line counts as written only once it
// is on the disk, since the car PC may lose power at any moment.
class LogFileWriter {
public:
    using Trace = std::function<void(const QString &)>;
    // What the trace says after the path when the file was found or had to be made.
    struct Texts {
        QString found;
        QString created;
    };
    static const Texts Primary;
    static const Texts Dual;

    // Creates directory with its parents, then appends line and CR LF to directory +
    // fileName, flushed to the disk. Every step and failure is traced. opened runs between
    // the open (and its trace) and the write. True when the line is on the disk.
    static bool append(const QString &directory, const QString &fileName, const QString &line,
                       const Texts &texts, const Trace &trace,
                       const std::function<void()> &opened = {});

    // The trace of a failure: error number, the system's text for it, what failed, path.
    static QString errorText(int error, const QString &what, const QString &path);
};

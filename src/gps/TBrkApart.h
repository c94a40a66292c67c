#pragma once

#include <QString>
#include <QStringList>

// Splits BaseString at every occurrence of BreakString into StringList. With
// AllowEmptyString false, empty pieces are dropped and the later pieces move up.
class TBrkApart {
public:
    QString BaseString;
    QString BreakString;
    bool AllowEmptyString = false;
    QStringList StringList;

    void BreakApart();
    // The same split without the component's state.
    static QStringList split(const QString &text, const QString &separator, bool allowEmpty);
};

#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

// The texts of a window with the directories of the machine that renders it (the program
// directory it shows and its mirror) written as one neutral program directory, so that
// the pictures in the documentation show no build path. apply() swaps the texts of the
// labels, fields, memos and scrolling lines below a widget; restore() puts them back, so
// that the window works on its real paths between two pictures.
class NeutralPaths {
public:
    // Each of from names a directory, with or without its trailing "/"; to ends in "/".
    NeutralPaths(const QStringList &from, const QString &to);
    ~NeutralPaths() { restore(); }
    NeutralPaths(const NeutralPaths &) = delete;
    NeutralPaths &operator=(const NeutralPaths &) = delete;

    QString neutral(const QString &text) const;
    void apply(QWidget &root);
    void restore();

private:
    struct Swapped {
        QPointer<QWidget> widget;
        QString text;
    };
    static QString textOf(const QWidget *widget);
    static void setTextOf(QWidget *widget, const QString &text);

    QStringList m_from; // with trailing "/", longest first
    QString m_to;
    QList<Swapped> m_swapped;
};

#pragma once

#include "app/PathChooser.h"

class QWidget;

// The choosers as Qt's file dialogs over the window.
class DialogPathChooser : public PathChooser {
public:
    explicit DialogPathChooser(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    QString chooseDirectory(const QString &start) override;
    QString chooseFile(const QString &start, const QString &filter) override;

private:
    QWidget *m_parent;
};

#include "app/DialogPathChooser.h"

#include <QFileDialog>

QString DialogPathChooser::chooseDirectory(const QString &start)
{
    return QFileDialog::getExistingDirectory(m_parent, QString(), start);
}

QString DialogPathChooser::chooseFile(const QString &start, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, QString(), start, filter);
}

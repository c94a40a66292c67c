#pragma once

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;

// A captioned group of exclusive choices with an item index: -1 selects nothing.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString &caption, const QStringList &items, int columns,
               QWidget *parent = nullptr);

    int itemIndex() const;
    // Values outside 0..count-1 select nothing.
    void setItemIndex(int index);
    int count() const { return int(m_buttons.size()); }
    QRadioButton *button(int i) const { return m_buttons.value(i); }

signals:
    void itemIndexChanged(int index);

private:
    QButtonGroup *m_group;
    QList<QRadioButton *> m_buttons;
};

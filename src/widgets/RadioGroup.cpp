#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString &caption, const QStringList &items, int columns,
                       QWidget *parent)
    : QGroupBox(caption, parent), m_group(new QButtonGroup(this))
{
    setFocusPolicy(Qt::NoFocus);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setSpacing(2);
    const int rows = (int(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items[i], this);
        b->setFocusPolicy(Qt::NoFocus);
        m_group->addButton(b, i);
        m_buttons.append(b);
        grid->addWidget(b, i % rows, i / rows);
    }
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            emit itemIndexChanged(id);
    });
}

int RadioGroup::itemIndex() const { return m_group->checkedId(); }

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < m_buttons.size()) {
        m_buttons[index]->setChecked(true);
        return;
    }
    // An exclusive group can't be emptied while exclusive.
    m_group->setExclusive(false);
    for (QRadioButton *b : m_buttons)
        b->setChecked(false);
    m_group->setExclusive(true);
    emit itemIndexChanged(-1);
}

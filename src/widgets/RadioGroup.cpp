#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QEvent>
#include <QRadioButton>

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent) {}

bool RadioGroup::event(QEvent* e) {
    if (e->type() == QEvent::Polish) {
        adoptButtons();
    }
    return QGroupBox::event(e);
}

// The form adds the buttons after the group is constructed, so they are
// gathered on first use.
void RadioGroup::adoptButtons() const {
    const QList<QRadioButton*> buttons = findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    if (group_ && group_->buttons().size() == buttons.size()) {
        return;
    }
    auto* self = const_cast<RadioGroup*>(this);
    if (!group_) {
        group_ = new QButtonGroup(self);
        connect(group_, &QButtonGroup::idClicked, self, [self](int) { emit self->clicked(); });
    }
    for (QAbstractButton* b : group_->buttons()) {
        group_->removeButton(b);
    }
    int id = 0;
    for (QRadioButton* b : buttons) {
        group_->addButton(b, id++);
    }
}

int RadioGroup::itemIndex() const {
    adoptButtons();
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    adoptButtons();
    if (index < 0 || index >= count()) {
        if (QAbstractButton* checked = group_->checkedButton()) {
            group_->setExclusive(false);
            checked->setChecked(false);
            group_->setExclusive(true);
        }
        return;
    }
    group_->button(index)->setChecked(true);
    emit clicked();
}

int RadioGroup::count() const {
    adoptButtons();
    return static_cast<int>(group_->buttons().size());
}

QString RadioGroup::itemText(int index) const {
    QRadioButton* b = button(index);
    return b ? b->text() : QString();
}

QRadioButton* RadioGroup::button(int index) const {
    adoptButtons();
    return qobject_cast<QRadioButton*>(group_->button(index));
}

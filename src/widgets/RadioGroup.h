#pragma once

// A titled group of radio buttons with at most one selected, addressed by the
// index of the selected item (-1 for none). The buttons are the group's own
// child radio buttons in the order they were created (the form's order).

#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(QWidget* parent = nullptr);

    int itemIndex() const;
    // Selecting an item (index >= 0) emits `clicked`, as an operator's click
    // does; clearing the selection (-1) emits nothing.
    void setItemIndex(int index);
    int count() const;
    QString itemText(int index) const;
    QRadioButton* button(int index) const;

signals:
    void clicked();

protected:
    bool event(QEvent* e) override;

private:
    void adoptButtons() const;

    mutable QButtonGroup* group_ = nullptr;
};

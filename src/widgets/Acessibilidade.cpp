#include "widgets/Acessibilidade.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace platform::acessibilidade {
namespace {

// A combo box as the toolkit presents it (the list as first child, the text
// box of an editable one as second, the actions that open and close the
// list), with the name of an edit box.
class CaixaCombinada : public QAccessibleWidget {
public:
    explicit CaixaCombinada(QComboBox* caixa) : QAccessibleWidget(caixa, QAccessible::ComboBox) {}

    QString text(QAccessible::Text tipo) const override {
        if (tipo == QAccessible::Value) {
            return caixa()->isEditable() ? caixa()->lineEdit()->text() : caixa()->currentText();
        }
        return QAccessibleWidget::text(tipo);
    }

    int childCount() const override { return caixa()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int indice) const override {
        if (indice == 0) {
            return QAccessible::queryAccessibleInterface(caixa()->view());
        }
        if (indice == 1 && caixa()->isEditable()) {
            return QAccessible::queryAccessibleInterface(caixa()->lineEdit());
        }
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* filho) const override {
        if (filho && filho->object() == caixa()->view()) {
            return 0;
        }
        if (filho && caixa()->isEditable() && filho->object() == caixa()->lineEdit()) {
            return 1;
        }
        return -1;
    }

    QAccessibleInterface* focusChild() const override { return caixa()->isEditable() ? child(1) : nullptr; }

    QAccessible::State state() const override {
        QAccessible::State estado = QAccessibleWidget::state();
        estado.editable = caixa()->isEditable();
        estado.expandable = true;
        estado.expanded = caixa()->view()->isVisible();
        return estado;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString& acao) override {
        if (acao != showMenuAction() && acao != pressAction()) {
            return;
        }
        if (caixa()->view()->isVisible()) {
            caixa()->hidePopup();
        } else {
            caixa()->showPopup();
        }
    }

private:
    QComboBox* caixa() const { return static_cast<QComboBox*>(object()); }
};

QAccessibleInterface* fabrica(const QString& classe, QObject* objeto) {
    if (classe == QLatin1String("QComboBox")) {
        if (auto* caixa = qobject_cast<QComboBox*>(objeto)) {
            return new CaixaCombinada(caixa);
        }
    }
    return nullptr;
}

} // namespace

void instala() {
    QAccessible::installFactory(fabrica);
}

void nomeiaCaixasEditaveis(QWidget& janela) {
    for (QComboBox* caixa : janela.findChildren<QComboBox*>()) {
        if (caixa->isEditable() && caixa->window() == janela.window()) {
            CaixaCombinada nome(caixa);
            caixa->lineEdit()->setAccessibleName(nome.text(QAccessible::Name));
        }
    }
}

} // namespace platform::acessibilidade

#include "Cliques.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QWindow>

namespace harness {

void clicaIndicador(QAbstractButton* botao) {
    QTest::mouseClick(botao, Qt::LeftButton, {}, QPoint(6, botao->height() / 2));
}

void clicaItem(QListWidget* lista, int linha) {
    QListWidgetItem* item = lista->item(linha);
    QStyleOptionViewItem opcao;
    opcao.initFrom(lista);
    opcao.rect = lista->visualItemRect(item);
    opcao.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    opcao.text = item->text();
    opcao.checkState = item->checkState();
    const QRect indicador = lista->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opcao, lista);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, indicador.center());
}

void fechaPelaMoldura(QWidget& janela) {
    janela.windowHandle()->close();
}

void clicaMenu(QMenuBar* barra, QAction* entrada) {
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->actionGeometry(entrada).center());
}

} // namespace harness

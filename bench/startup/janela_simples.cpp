// The reference for start-up figures: the smallest Qt Widgets window with
// one edit box and one button.

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget janela;
    auto* layout = new QHBoxLayout(&janela);
    layout->addWidget(new QLineEdit(&janela));
    layout->addWidget(new QPushButton(QStringLiteral("OK"), &janela));
    janela.show();
    return QApplication::exec();
}

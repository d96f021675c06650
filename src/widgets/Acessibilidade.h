#pragma once

// What a screen reader hears for the console's combo boxes. On this platform
// the toolkit announces a combo box by its current text, and the text box
// inside an editable one by nothing at all; here both are announced like
// every edit box: by their accessible name, else by the label whose buddy
// they are.

class QWidget;

namespace platform::acessibilidade {

// Makes every combo box created from now on announce itself by its label.
// Installing it again does nothing.
void instala();

// Gives the text box of each editable combo box in `janela` the combo box's
// name. To be called once the window's labels and buddies are set.
void nomeiaCaixasEditaveis(QWidget& janela);

} // namespace platform::acessibilidade

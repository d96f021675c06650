#include "Editores.h"

#include "Cliques.h"
#include "Harness.h"

#include "app/Main.h"
#include "platform/ProgramDir.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace harness {

void usaPastasDe(const QTemporaryDir& pasta) {
    QVERIFY(QDir(pasta.path()).mkpath(QStringLiteral("prog")));
    QVERIFY(QDir(pasta.path()).mkpath(QStringLiteral("drive")));
    platform::programdir::setDirectory(pasta.filePath(QStringLiteral("prog")));
    platform::programdir::setDriveRoot(pasta.filePath(QStringLiteral("drive")));
    startSeams();
}

void escolheEmConfiguracoes(Console& console, const char* entrada, const QString& nome,
                            const std::function<void(QDialog&)>& acoes) {
    auto* menu = console.find<QMenu>("MnuConfiguracoes");
    QVERIFY(menu);
    clicaMenu(console.window().menuBar(), menu->menuAction());
    QTRY_VERIFY(menu->isVisible());
    // Shared, as the action outlives this call when the window never shows.
    auto aberto = std::make_shared<bool>(false);
    platform::modal::expect(nome, [aberto, acoes](QDialog& w) {
        *aberto = true;
        acoes(w);
    });
    auto* acao = console.find<QAction>(entrada);
    QVERIFY(acao);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(acao).center());
    QTRY_VERIFY(*aberto);
}

} // namespace harness

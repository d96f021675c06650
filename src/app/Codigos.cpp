#include "app/Codigos.h"

#include <QStringList>

const std::vector<CodigoDescrito>& codigosFuncao() {
    static const std::vector<CodigoDescrito> codigos = {
        {0, QStringLiteral("Nenhuma")},
        {1, QStringLiteral("Cheque")},
        {2, QStringLiteral("Débito")},
        {3, QStringLiteral("Crédito")},
        {4, QStringLiteral("Fininvest")},
        {5, QStringLiteral("Cartão Benefício")},
        {6, QStringLiteral("Crédito Centralizado")},
        {7, QStringLiteral("Cartão Combustível")},
        {10, QStringLiteral("Benefício Refeição")},
        {11, QStringLiteral("Benefício Alimentação")},
        {12, QStringLiteral("Cartão Infocard")},
        {100, QStringLiteral("Telemarketing")},
        {110, QStringLiteral("Funções Administrativas")},
        {111, QStringLiteral("Teste Comunic. Kavex")},
        {112, QStringLiteral("Menu Reimpressão")},
        {113, QStringLiteral("Reimpressão por NSU")},
        {114, QStringLiteral("Reimpressão último doc")},
        {115, QStringLiteral("Pré-Autorização")},
        {116, QStringLiteral("Confirmação de Pré-Autorização")},
        {150, QStringLiteral("Consulta Bônus")},
        {151, QStringLiteral("Consulta Saldo Cartão Presente")},
        {200, QStringLiteral("Cancelamento Normal")},
        {201, QStringLiteral("Cancelamento Telemkt")},
        {202, QStringLiteral("Cancelamento de Pré-autorização")},
        {203, QStringLiteral("Cancelamento de Confirmação de Pré-autorização")},
        {250, QStringLiteral("Cancelamento de Consulta Bônus")},
        {251, QStringLiteral("Cancelamento Recarga Cartão Presente")},
        {260, QStringLiteral("Recarga Cartão Bônus")},
        {261, QStringLiteral("Recarga Cartão Presente")},
        {300, QStringLiteral("Recarga de Pré-Pago")},
        {301, QStringLiteral("Recarga de Pré-Pago desvinculada do TEF")},
        {310, QStringLiteral("Correspondente Bancário")},
        {500, QStringLiteral("Consulta Detalhada ACSP")},
        {501, QStringLiteral("Consulta Detalhada Serasa")},
        {502, QStringLiteral("Consulta Cadastral Infocard")},
        {503, QStringLiteral("Cheque Garantia Infocard")},
        {550, QStringLiteral("Obtem Autorização Farmácia Popular")},
        {552, QStringLiteral("Venda Farmácia Popular")},
        {553, QStringLiteral("Cancelamento Parcial Farmácia Popular")},
        {554, QStringLiteral("Cancelamento Total Farmácia Popular")},
        {560, QStringLiteral("Consulta Telenet")},
        {561, QStringLiteral("Venda Telenet")},
        {562, QStringLiteral("Cancelamento Telenet")},
        {600, QStringLiteral("Consulta Saldo")},
        {605, QStringLiteral("Consulta Saldo Cartão Combustível")},
        {606, QStringLiteral("Consulta Redes Cartão Combustível")},
        {607, QStringLiteral("Consulta Produtos Cartão Combustível")},
        {610, QStringLiteral("Transações SPTrans (Bilhete Único)")},
        {611, QStringLiteral("Consulta Saldo SPTrans (Bilhete Único)")},
        {612, QStringLiteral("Recarga SPTrans (Bilhete Único)")},
    };
    return codigos;
}

const std::vector<CodigoDescrito>& codigosRestricao() {
    static const std::vector<CodigoDescrito> codigos = {
        {10, QStringLiteral("Consulta ou garantia de Cheque (todos os tipos)")},
        {11, QStringLiteral("Consulta Cheque Serasa/Associação Comercial")},
        {12, QStringLiteral("Consulta Cheque Tecban")},
        {13, QStringLiteral("Telecheque Garantido Tecban")},
        {14, QStringLiteral("Garantia Cheque Papel Tecban")},
        {15, QStringLiteral("Débito (todos)")},
        {16, QStringLiteral("Débito à vista")},
        {17, QStringLiteral("Débito pré-datado")},
        {18, QStringLiteral("Débito parcelado")},
        {19, QStringLiteral("Débito CDC")},
        {20, QStringLiteral("Cartão Refeição Eletrônico")},
        {25, QStringLiteral("Crédito (todos)")},
        {26, QStringLiteral("Crédito à vista")},
        {27, QStringLiteral("Crédito parcelado juros estabelecimento")},
        {28, QStringLiteral("Crédito parcelado juros administradora")},
        {29, QStringLiteral("Crédito digitado")},
        {30, QStringLiteral("Crédito magnético")},
        {31, QStringLiteral("Pré-autorização")},
        {32, QStringLiteral("Cartão Fininvest")},
        {33, QStringLiteral("Saque com Cartão Fininvest")},
        {34, QStringLiteral("Cartão de Crédito Pró-Rata à vista")},
        {35, QStringLiteral("Cartão de Crédito Pró-Rata parcelado")},
        {36, QStringLiteral("Consulta Parcelas no Cartão de Crédito")},
        {40, QStringLiteral("Cancelamento com Cartão de Crédito ou Débito")},
        {50, QStringLiteral("Pagamento de Conta")},
        {51, QStringLiteral("Estorno de Pagamento de Conta")},
        {52, QStringLiteral("Re-Impressão de Pagamento de Conta")},
        {53, QStringLiteral("Pagamento de Benefício")},
        {54, QStringLiteral("Estorno de Pagamento de Benefício")},
        {55, QStringLiteral("Tratamento de Troco no Pagto de Contas com Dinheiro")},
        {60, QStringLiteral("Recarga de Celular com Dinheiro")},
        {61, QStringLiteral("Recarga do Celular com Cheque")},
        {62, QStringLiteral("Recarga do Celular com Débito à vista")},
        {63, QStringLiteral("Recarga do Celular com Crédito à vista")},
        {64, QStringLiteral("Indica o Menu para seleção da Operadora de Recarga")},
    };
    return codigos;
}

QString dicaDosCodigos(const std::vector<CodigoDescrito>& codigos) {
    QStringList linhas;
    for (const CodigoDescrito& c : codigos) {
        linhas << QStringLiteral("%1 - %2").arg(c.codigo).arg(c.descricao);
    }
    return linhas.join(QLatin1Char('\n'));
}

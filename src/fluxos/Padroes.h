#pragma once

// The values the console sends when the operator leaves a field empty, each
// named once.

#include <QString>

#include <cstdint>

namespace padroes {

// Fiscal receipt number.
inline const QString kCupomFiscal = QStringLiteral("12345");
// Authorisation code and fiscal receipt of a Vidalink sale.
inline const QString kAutorizacaoVidalink = QStringLiteral("12345");
inline const QString kCupomVendaVidalink = QStringLiteral("54321");
// Number of products of a Vidalink consultation.
inline const QString kQuantidadeConsulta = QStringLiteral("1");
// Operator of the starts.
inline const QString kOperador = QStringLiteral("Opx");
// Value of a payment.
inline const QString kValor = QStringLiteral("1,00");
// Seconds LeCartaoDiretoEx waits for the card.
inline constexpr uint16_t kTimeoutLeCartao = 30;
// Operator and time-out of a direct transaction.
inline const QString kOperadorDireto = QStringLiteral("Teste");
inline constexpr int32_t kTimeoutDireto = 30;

} // namespace padroes

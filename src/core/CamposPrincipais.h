#pragma once

// The few main-window fields that other windows write: the result of a call
// and the fiscal receipt number. Windows below the main window reach them only
// through this, never through the main window's form.

#include <QString>
#include <cstdint>

class CamposPrincipais {
public:
    // Shows a library result in the main window's "Resultado:" field.
    virtual void EscreveResultado(int32_t codigo) = 0;
    // Replaces the main window's fiscal receipt number.
    virtual void EscreveCupomFiscal(const QString& cupom) = 0;

protected:
    ~CamposPrincipais() = default;
};

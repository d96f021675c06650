#pragma once

// The Vidalink functions' names, as the simulator's call log gives them.

inline constexpr const char* kInformaVenda = "InformaProdutoVendaVidalink";
inline constexpr const char* kVenda = "IniciaFuncaoKavexInterativoVendaVidalink";
inline constexpr const char* kInformaCnc = "InformaProdutoCancelamentoVidalink";
inline constexpr const char* kCnc = "IniciaFuncaoKavexInterativoCancelamentoVidalink";

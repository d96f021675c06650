// The simple answers and arguments: amounts, dates and times, restriction
// texts, self-service product lists.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace kavexsim::checks {

// "10", "10,5", "10,50", "1.234,56": digits with optional thousands dots (in
// groups of three) and at most two decimals after a comma. Returns cents.
std::optional<long long> centavos(std::string_view valor);

// "1.234,56" from cents.
std::string formataValor(long long centavos);

// A fiscal date "YYYYMMDD" that names a real day, and a time "HHMMSS".
bool dataValida(std::string_view data);
bool horaValida(std::string_view hora);

// "[10;15]", "10;15", "10,15", "[]" or "" (blanks allowed around codes).
// nullopt when a code is not a whole number.
std::optional<std::set<int>> restricoes(std::string_view texto);

// "[desc;code;qty;value];[...]": at least one item, each with four fields,
// a whole positive quantity and an amount. Returns the number of items, or
// nullopt when the list is malformed.
std::optional<int> itensDaLista(std::string_view lista);

} // namespace kavexsim::checks

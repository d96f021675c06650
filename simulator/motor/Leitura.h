#pragma once

// The direct card read's wait: a card takes as long as KAVEX_SIM_DELAY_MS
// says to be read, unless InterrompeLeCartaoDireto breaks the read off. The
// interrupt comes from another thread while the read holds the call lock, so
// the two meet here, not under that lock.

namespace kavexsim {

// Waits the configured delay; true when an interrupt ended the wait first.
bool esperaLeitura();
// Breaks off the read that is waiting, if any; with none, nothing happens.
void interrompeLeitura();

} // namespace kavexsim

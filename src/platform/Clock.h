#pragma once

// Every reading of the current date and time goes through here, so tests can
// fix the moment.

#include <QDateTime>

namespace platform::clock {

QDateTime now();
void setFixed(const QDateTime& moment);
void clearFixed();

} // namespace platform::clock

#include "platform/Clock.h"

namespace platform::clock {
namespace {
QDateTime& fixedMoment() {
    static QDateTime moment;
    return moment;
}
} // namespace

QDateTime now() {
    return fixedMoment().isValid() ? fixedMoment() : QDateTime::currentDateTime();
}

void setFixed(const QDateTime& moment) {
    fixedMoment() = moment;
}

void clearFixed() {
    fixedMoment() = QDateTime();
}

} // namespace platform::clock

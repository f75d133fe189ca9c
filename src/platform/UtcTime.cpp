#include "platform/UtcTime.h"

namespace vellomar {

using namespace std::chrono;

UtcFields UtcFieldsOf(sys_seconds moment) {
    const auto day = floor<days>(moment);
    const year_month_day date(day);
    const hh_mm_ss time(moment - day);
    return {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())),
            int(time.hours().count()), int(time.minutes().count()), int(time.seconds().count())};
}

sys_seconds MomentOfUtcFields(const UtcFields& fields) {
    const year_month firstMonth = year(fields.year) / January + months(fields.month - 1);
    return sys_days(firstMonth / 1) + days(fields.day - 1) + hours(fields.hour) +
           minutes(fields.minute) + seconds(fields.second);
}

}  // namespace vellomar

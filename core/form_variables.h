#pragma once

#include "date_services.h"

#include <cstdint>
#include <string>

namespace core {

// The form-level variables that both programs declare, in their order of
// declaration. The flags hold 1 for yes and 0 for no.
struct FormVariables {
    std::u16string YearText;
    std::int16_t ScanYear = 0;
    std::int16_t LeapYearFound = 0;
    std::int16_t DateValid = 0;
    CalendarDate StartDate;
    CalendarDate EndDate;
};

}  // namespace core

#pragma once

#include "form_variables.h"

#include <string>
#include <string_view>

namespace core {

// The day, month and year boxes as the validation sees them.
class DateEntry {
public:
    virtual ~DateEntry() = default;
    virtual std::u16string dayText() const = 0;
    virtual std::u16string monthText() const = 0;
    virtual std::u16string yearText() const = 0;
    virtual void setDayText(std::u16string_view text) = 0;
    virtual void setMonthText(std::u16string_view text) = 0;
    virtual void setYearText(std::u16string_view text) = 0;
    virtual void focusDay() = 0;
};

// Quillon tests the length of each box first; Marrasket does not.
enum class LengthTests { On, Off };

// Tests the typed date as text, stopping at the first failing test with one
// "ERROR" message box, and leaves the verdict in DateValid (1 accepted, 0
// refused). Accepts 01/01/1900 to 31/12/3000.
void ValidateDate(FormVariables& form, DateEntry& boxes, LengthTests lengthTests);

// Scans the leap years 1904 to 3000 for YearText; sets ScanYear and
// LeapYearFound. Raises Type mismatch when YearText is no number.
void CheckLeapYear(FormVariables& form);

}  // namespace core

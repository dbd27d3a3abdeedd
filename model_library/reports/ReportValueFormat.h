// The text forms of the report values, written straight into a character
// buffer. They give exactly what FormatValue gives for the type words of the
// report descriptors, without its allocations; anything else (other types,
// negative packed values holding non-decimal digits) is left to FormatValue.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model_library/EcrData.h"

// Room for any number this writes: a sign and twenty digits, or a quantity.
constexpr size_t REPORT_NUMBER_CHARS = 32;

// The length of the text written into `text`, or -1 when FormatValue must do it.
int FormatReportNumber(const stField_t& field, const uint8_t* value, char (&text)[REPORT_NUMBER_CHARS]);

// The one pair of routines that turn a field's bytes into display text and
// entered text back into bytes, driven only by the field's type word and width.
// Range checks are the callers' business; these routines never refuse text.
#pragma once

#include <string>

#include "model_library/EcrData.h"

// 1 when `text` holds the value's text; 0 for a null value or a storage type
// that is not a valid one (the text is then "?").
int FormatValue(const void* value, std::wstring& text, const stField_t& field);
// 1 when the bytes were written; 0 for a storage type that is not a valid one.
int ParseValue(const stField_t& field, void* value, const wchar_t* text);

// Bytes a storage type occupies in a row (the width for text, 0 when invalid).
int StorageSize(const stField_t& field);

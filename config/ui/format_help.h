// The help texts of the date-picture and time-picture editors.
#pragma once
#include <cstddef>

void BuildDateHelp(wchar_t* text, size_t capacity);
void BuildTimeHelp(wchar_t* text, size_t capacity);

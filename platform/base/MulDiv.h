#pragma once
// Scaling of 32-bit values through a 64-bit intermediate, as mapping modes and layout code use it.

#include "platform/base/WinTypes.h"

// nNumber * nNumerator / nDenominator, rounded to the nearest integer with halves away from zero; -1 when the
// denominator is 0 or the result does not fit in 32 bits.
int MulDiv(int nNumber, int nNumerator, int nDenominator);

#pragma once

// Amount rounding of the data module (RoundNum, RoundPrice), usable without a database.
//
// The value is nudged upward by 0.00001, taken to 18 significant decimal digits and rounded at
// the last kept place with halves away from zero; the result is the double nearest to that
// decimal. So 2.675 -> 2.68 and 1.005 -> 1.01 at 2 places, while a negative value whose
// remainder is exactly half rounds toward zero (-2.5 -> -2 at 0 places). A zero result carries
// no minus sign; a value that is not a finite number gives 0.
//
// Places outside 0..4:
// - negative places round as 0 places;
// - 5 or more places follow the same rule with the nudge shrunk to a tenth of a unit of the last
//   place (0.000001 at 5 places), as 0.00001 is at 4 places, so the nudge never lifts a value by
//   a whole unit: 1.234564 -> 1.23456 and 1.234565 -> 1.23457 at 5 places. Places beyond the
//   value's significant digits leave it unchanged.
double roundAmount(double value, int places);

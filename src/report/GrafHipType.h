// SPDX-License-Identifier: MIT
// The hip type of the Graf method that an infant hip's α and β angles suggest, shown as a
// hint beside the angle boxes of the hip-joint panel. Pure function, any thread.
#pragma once
#include <QString>

// Angles are the texts of the angle boxes, in degrees. Decimals are taken at their value, so
// each range runs up to the next whole bound: α 59.5 is type II, α 49.9 is IIc or D, β 55.5
// is Ib, β 77.5 is D. The answer is "Ia", "Ib", "II" (IIa or IIb by age, which the panel does
// not know), "IIc", "D" or "III/IV"; it is empty while either text is not a plain decimal
// number or the angle is not within (0, 180), which includes the panel's initial "0".
QString GrafHipType(const QString& alpha, const QString& beta);

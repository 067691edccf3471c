// SPDX-License-Identifier: MIT
// The hip type of the Graf method that an infant hip's α and β angles suggest, shown as a
// hint beside the angle boxes of the hip-joint panel. Pure function, any thread.
#pragma once
#include <QString>

// Angles are the texts of the angle boxes, in degrees, as a doctor types them: "62", "62°",
// "62度", full-width "６２", decimal point or comma ("59,5"). Decimals are taken at their
// value, so each range runs up to the next whole bound: α 59.5 is type II, α 49.9 is IIc or
// D, β 55.5 is Ib, β 77.5 is D. The answer is "Ia", "Ib", "II" (IIa or IIb by age, which the
// panel does not know), "IIc", "D" or "III/IV"; without a usable β it is "I" for α of 60 or
// more and empty for α 43 to 49 (β decides IIc or D), since α alone decides the rest. It is
// empty while α is not a number within (0, 180), which includes the panel's initial "0"; a β
// outside that range counts as not given.
QString GrafHipType(const QString& alpha, const QString& beta);

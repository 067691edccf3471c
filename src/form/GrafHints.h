// SPDX-License-Identifier: MIT
// The Graf hip type hint beside the hip-joint panel's angle boxes: one read-only label per
// side (lab_kgj_Left_Graf, lab_kgj_Right_Graf) that follows the α and β texts of its side.
// It is never stored and never changes a box. Internal to src/form; UI thread.
#pragma once

class TReportForm;

// Adds the two labels under the β boxes and keeps them current. Call once, after the panel's
// boxes exist.
void InstallGrafHints(TReportForm& form);

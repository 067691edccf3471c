// SPDX-License-Identifier: MIT
// The WriteReport plug-in's entry. Loading the module registers the form class
// "TReportForm" in the platform's class registry; unloading removes it. The only symbols the
// module exports are the two version queries below, which a host may call before creating forms.
#pragma once

// The interface contract version this module was built against (uPubIntFace_WriteReport.h).
inline constexpr int kWriteReportPluginAbiVersion = 1;

extern "C" __attribute__((visibility("default"))) int WriteReportPluginAbiVersion();
// The version of this build ("1.0.0+72.g03876c6"): what `wr-host --version` shows for the
// plug-in. A static text owned by the module, valid while it is loaded.
extern "C" __attribute__((visibility("default"))) const char* WriteReportPluginVersion();

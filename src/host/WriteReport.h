// SPDX-License-Identifier: MIT
// The WriteReport plug-in's entry. Loading the module registers the form class
// "TReportForm" in the platform's class registry; unloading removes it. The only symbol the
// module exports is the version check below, which a host may call before creating forms.
#pragma once

// The interface contract version this module was built against (uPubIntFace_WriteReport.h).
inline constexpr int kWriteReportPluginAbiVersion = 1;

extern "C" __attribute__((visibility("default"))) int WriteReportPluginAbiVersion();

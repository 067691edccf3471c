// SPDX-License-Identifier: MIT
#pragma once
// The platform library is shared by the host and every plug-in; its API is visible, the
// rest of each module stays hidden (CMAKE_CXX_VISIBILITY_PRESET hidden).
#define WR_PLATFORM_EXPORT __attribute__((visibility("default")))
